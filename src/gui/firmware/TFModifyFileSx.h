#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

// "Generate Firmware".
class TFModifyFileSx : public QDialog {
    Q_OBJECT
public:
    TFModifyFileSx(fenwarp::Session& session, fenwarp::Messages& messages,
                   QWidget* parent = nullptr);
};
