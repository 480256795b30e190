#include "gui/fenwarp_application.h"

#include <exception>

#include "gui/qt_messages.h"

FenwarpApplication::FenwarpApplication(int& argc, char** argv, fenwarp::Messages& messages)
    : QApplication(argc, argv), messages_(messages) {
    setApplicationName(QtMessages::title);
}

bool FenwarpApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        messages_.show(e.what(), fenwarp::MessageKind::Error);
    } catch (...) {
        messages_.show("Unknown error", fenwarp::MessageKind::Error);
    }
    return false;
}
