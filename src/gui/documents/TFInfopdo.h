#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class OpenExcel;
class QButtonGroup;
class QLineEdit;
class QListWidget;
class QTabWidget;

// "Define Store PDO": per tab the PDOs of one direction, the SDO entries
// stored for the selected PDO and the fields of one entry, over the stored
// PDO editor.
class TFInfopdo : public QDialog {
    Q_OBJECT
  public:
    TFInfopdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
              QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The controls of one tab.
    struct Tab {
        QListWidget* pdos = nullptr;
        QListWidget* entries = nullptr;
        QLineEdit* index = nullptr;
        QLineEdit* subindex = nullptr;
        QButtonGroup* high = nullptr;
        QButtonGroup* low = nullptr;
    };

    QWidget* makeTab(int t);
    QWidget* makeChoice(int t, const char* name, const char* byteText, QButtonGroup*& group);
    void FormShow();
    void LPdoCanAClick(int t);
    void LSdoCanAClick(int t);
    void NewAClick(int t);
    void ModifyAClick(int t);
    void DeleteAClick(int t);
    void CopyAClick(int t);
    void PasteAClick(int t);
    void BitBtn1Click();
    void Button1Click();
    void ButtonXlsxClick();
    void BitBtn4Click();
    // Runs an operation of the tab, then shows what the editor holds, also
    // when the operation threw.
    template <typename Operation>
    void operate(int t, Operation operation);
    void takeChoices(int t);
    void refresh(int t);

    fenwarp::Session& session_;
    OpenExcel& openExcel_;
    fenwarp::Messages& messages_;
    QTabWidget* notebook_;
    Tab tabs_[2];
};
