#pragma once

#include <QDialog>

// The About box: logo strip, tool name, version, "OK".
class TFAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TFAbout(QWidget* parent = nullptr);
};
