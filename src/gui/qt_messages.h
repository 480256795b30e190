#pragma once

#include <QString>

#include "core/messages.h"

class QWidget;

// Messages as modal boxes under the application title.
class QtMessages : public fenwarp::Messages {
  public:
    static constexpr const char* title = "Firmware Fenwarp";

    void show(const std::string& text,
              fenwarp::MessageKind kind = fenwarp::MessageKind::Information) override;
};

inline QString qstr(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string sstr(const QString& text) {
    return text.toStdString();
}
