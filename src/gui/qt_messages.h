#pragma once

#include <QString>
#include <filesystem>

#include "core/messages.h"

class QWidget;

// Messages as modal boxes under the application title.
class QtMessages : public fenwarp::Messages {
  public:
    static constexpr const char* title = "Firmware Fenwarp";

    void show(const std::string& text,
              fenwarp::MessageKind kind = fenwarp::MessageKind::Information) override;

    // The parent of every box: the open modal dialog, else the main window.
    static QWidget* topWindow();
};

// Texts cross between the views and the core as UTF-8.
inline QString qstr(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string sstr(const QString& text) {
    return text.toStdString();
}

// Paths cross as UTF-16, which std::filesystem turns into the platform's own
// encoding both ways (UTF-8 here, wide characters on Windows).
inline std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}
inline QString fromPath(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}
