#include "gui/qt_messages.h"

#include <QApplication>
#include <QMessageBox>

void QtMessages::show(const std::string& text, fenwarp::MessageKind kind) {
    QWidget* owner = QApplication::activeModalWidget();
    if (owner == nullptr) owner = QApplication::activeWindow();
    // A box shown while work keeps the busy cursor still wants the pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    if (kind == fenwarp::MessageKind::Error) {
        QMessageBox::critical(owner, title, qstr(text));
    } else {
        QMessageBox::information(owner, title, qstr(text));
    }
    QApplication::restoreOverrideCursor();
}
