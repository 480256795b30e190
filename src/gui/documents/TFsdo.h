#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class OpenExcel;

// "Set SDO Access".
class TFsdo : public QDialog {
    Q_OBJECT
public:
    TFsdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
          QWidget* parent = nullptr);
};
