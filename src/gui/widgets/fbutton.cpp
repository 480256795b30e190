#include "gui/widgets/fbutton.h"

FButton::FButton(const QString& name, const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setObjectName(name);
    setAutoDefault(false);
    setMinimumHeight(28);
    setStyleSheet(
        "QPushButton { background: #2f4f6f; color: white; border: 1px solid #1d3246;"
        " padding: 4px 12px; }"
        "QPushButton:hover { background: #3f6f9a; }"
        "QPushButton:pressed { background: #1d3246; }"
        "QPushButton:disabled { background: #8a99a8; color: #dfe5ea; }"
        "QPushButton:focus { border: 1px solid #f0c040; }");
}
