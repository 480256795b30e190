#include "gui/widgets/bordered_panel.h"

BorderedPanel::BorderedPanel(const QString& name, QWidget* parent, const QString& colour)
    : QFrame(parent) {
    setObjectName(name);
    setStyleSheet(QString("BorderedPanel#%1 { border: 2px solid %2; border-radius: 3px; }")
                      .arg(name, colour));
}
