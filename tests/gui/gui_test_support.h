#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

#include "core/messages.h"
#include "core/shell/session.h"
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
