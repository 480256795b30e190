#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class QTextEdit;

// "Help": the help file beside the program, read again at each showing.
class TFHelp : public QDialog {
    Q_OBJECT
  public:
    TFHelp(fenwarp::Session& session, fenwarp::Messages& messages, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();

    fenwarp::Session& session_;
    fenwarp::Messages& messages_;
    QTextEdit* richEdit1_;
};
