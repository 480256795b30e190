#pragma once

#include <QFrame>

// A panel with a coloured border, the frame of every dialog's groups.
class BorderedPanel : public QFrame {
    Q_OBJECT
  public:
    explicit BorderedPanel(const QString& name, QWidget* parent = nullptr,
                           const QString& colour = "#2f4f6f");
};
