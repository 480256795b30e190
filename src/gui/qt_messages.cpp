#include "gui/qt_messages.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

QWidget* QtMessages::topWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    // The main window is the one visible top-level window that is no dialog.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowType() == Qt::Window &&
            qobject_cast<QDialog*>(widget) == nullptr) {
            return widget;
        }
    }
    return QApplication::activeWindow();
}

void QtMessages::show(const std::string& text, fenwarp::MessageKind kind) {
    QWidget* owner = topWindow();
    // A box shown while work keeps the busy cursor still wants the pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    if (kind == fenwarp::MessageKind::Error) {
        QMessageBox::critical(owner, title, qstr(text));
    } else {
        QMessageBox::information(owner, title, qstr(text));
    }
    QApplication::restoreOverrideCursor();
}
