#include "gui/fenwarp_application.h"

#include <exception>

#include "gui/qt_messages.h"

FenwarpApplication::FenwarpApplication(int& argc, char** argv, fenwarp::Messages& messages)
    : QApplication(argc, argv), messages_(messages) {
    setApplicationName(QtMessages::title);
    // Only the main window's "X" ends the program (it quits explicitly): a
    // message box or dialog closing while no other window counts must not.
    setQuitOnLastWindowClosed(false);
}

bool FenwarpApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        sink().show(e.what(), fenwarp::MessageKind::Error);
    } catch (...) {
        sink().show("Unknown error", fenwarp::MessageKind::Error);
    }
    return false;
}

fenwarp::Messages& FenwarpApplication::sink() {
    return override_ != nullptr ? *override_ : messages_;
}
