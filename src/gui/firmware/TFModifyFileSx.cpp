#include "gui/firmware/TFModifyFileSx.h"

TFModifyFileSx::TFModifyFileSx(fenwarp::Session&, fenwarp::Messages&, QWidget* parent)
    : QDialog(parent) {
    setObjectName("TFModifyFileSx");
    setWindowTitle("Generate Firmware");
}
