#pragma once

#include <QDialog>
#include <optional>

#include "core/messages.h"
#include "core/shell/session.h"

class OpenExcel;
class QGroupBox;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

// "Define EMCY Word": one page per port, each a read-only tree of the page's
// words and their bits beside the word fields and the bit fields of the
// selected node; a thin view over the session's EMCY word editor.
class TFWemcy : public QDialog {
    Q_OBJECT
  public:
    TFWemcy(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
            QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Page {
        QTreeWidget* tree = nullptr;
        QGroupBox* wordGroup = nullptr;
        QGroupBox* bitGroup = nullptr;
        QLineEdit* index_addrm = nullptr;
        QLineEdit* subindex = nullptr;
        QLineEdit* devid = nullptr;
        QLineEdit* b0 = nullptr;
        QLineEdit* b1 = nullptr;
        QLineEdit* poscomp = nullptr;
        QLineEdit* poscomp2 = nullptr;
    };

    QWidget* makePage(int page);
    QWidget* makeWordGroup(int page);
    QWidget* makeBitGroup(int page);
    QWidget* makeButtons(int page);

    void FormShow();
    void TWCanAChange(int page, QTreeWidgetItem* current);
    void newBClick(int page);
    void modifyBClick(int page);
    void deleteBClick(int page);
    void BitBtn1Click();
    void Button1Click();
    void ButtonXlsxClick();
    void BitBtn4Click();

    void fillTree(int page);
    void addWordItem(int page, std::size_t word);
    void showSelection(int page);
    void showFields();
    std::optional<std::size_t> nodeOf(QTreeWidgetItem* item) const;
    fenwarp::EmcyWordPage& state(int page);

    fenwarp::Session& session_;
    OpenExcel& openExcel_;
    fenwarp::Messages& messages_;
    QTabWidget* notebook_;
    Page pages_[2];
};
