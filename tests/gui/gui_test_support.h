#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "core/messages.h"
#include "core/shell/session.h"
#include "gui/fenwarp_application.h"
#include "gui/shell/windows.h"

// A program folder of its own, a session over it and every window, with a
// recorder in place of the message boxes.
struct GuiFixture {
    QTemporaryDir programDir;
    fenwarp::MessageRecorder messages;
    std::unique_ptr<fenwarp::Session> session;
    std::unique_ptr<Windows> windows;

    GuiFixture() { start(); }

    void start() {
        windows.reset();
        session = std::make_unique<fenwarp::Session>(programDir.path().toStdString());
        windows = std::make_unique<Windows>(*session, messages);
    }

    QString path(const QString& relative) const { return programDir.filePath(relative); }

    template <typename T>
    T* find(QWidget* root, const char* name) const {
        return root->findChild<T*>(name);
    }
};

// The component `name` below root; a missing one ends the test program.
template <typename T>
T* child(QObject* root, const QString& name) {
    auto* found = root->findChild<T*>(name);
    if (found == nullptr) qFatal("no component %s", qPrintable(name));
    return found;
}

inline QString cell(QAbstractItemView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

inline void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

// Runs action on the modal dialog once it is up, then closes it if the action
// left it open, also when a check inside the action failed. A view may run
// the event loop before its dialog opens (to show "Wait.."), so the dialog is
// waited for over a few turns of the loop.
inline void whenModal(std::function<void(QDialog*)> action, int turns = 100) {
    QTimer::singleShot(0, [action, turns] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr && turns > 0) return whenModal(action, turns - 1);
        if (dialog == nullptr) qFatal("no modal dialog is open");
        struct Closer {
            QDialog* dialog;
            ~Closer() {
                if (dialog->isVisible()) dialog->reject();
            }
        } closer{dialog};
        action(dialog);
    });
}

// Runs a test object under the application with its error handler; an error
// that reached the handler unexpected fails the program. Settings and other
// standard locations go to a test folder, never to the user's own.
template <typename Test>
int runGuiTest(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    fenwarp::MessageRecorder unexpected;
    FenwarpApplication app(argc, argv, unexpected);
    Test test;
    int status = QTest::qExec(&test, argc, argv);
    if (!unexpected.texts.empty()) {
        qWarning("uncaught error: %s", unexpected.texts.front().c_str());
        return 1;
    }
    return status;
}
