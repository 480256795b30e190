#pragma once

#include <QApplication>

#include "core/messages.h"

// The application with its error handler: an error that no operation caught
// is shown with its text and the program goes on; the interrupted operation
// stops where it was.
class FenwarpApplication : public QApplication {
  public:
    FenwarpApplication(int& argc, char** argv, fenwarp::Messages& messages);

    bool notify(QObject* receiver, QEvent* event) override;

    // Tests record what the handler shows; nullptr restores the default.
    void setErrorMessages(fenwarp::Messages* messages) { override_ = messages; }

  private:
    fenwarp::Messages& sink();

    fenwarp::Messages& messages_;
    fenwarp::Messages* override_ = nullptr;
};
