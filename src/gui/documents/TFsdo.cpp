#include "gui/documents/TFsdo.h"

TFsdo::TFsdo(fenwarp::Session&, OpenExcel&, fenwarp::Messages&, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFsdo");
    setWindowTitle("Set SDO Access");
}
