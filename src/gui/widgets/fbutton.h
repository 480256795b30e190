#pragma once

#include <QPushButton>

// The push button of every window: flat, with a hot-track colour under the
// mouse and a darker one while pressed.
class FButton : public QPushButton {
    Q_OBJECT
  public:
    FButton(const QString& name, const QString& caption, QWidget* parent = nullptr);
};
