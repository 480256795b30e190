#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// "SET COMMUNICATION": node identifiers, bit rates and the SDO timeout.
class TFpargen : public QDialog {
    Q_OBJECT
  public:
    TFpargen(fenwarp::Session& session, fenwarp::Messages& messages, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    void BitBtn1Click();
    void showFields();
    void bind(QLineEdit* field, std::string& text);
    void bind(QComboBox* field, std::string& text);

    fenwarp::Session& session_;
    fenwarp::Messages& messages_;
    QLineEdit* edit1_;
    QComboBox* comboBox1_;
    QLineEdit* edit2_;
    QComboBox* comboBox2_;
    QLineEdit* edit3_;
    QWidget* groupBox2_;
    QPushButton* ok_;
};
