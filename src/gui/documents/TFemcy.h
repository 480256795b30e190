#pragma once

#include <QDialog>
#include <array>

#include "core/documents/emcy/emcy_entry.h"
#include "core/messages.h"
#include "core/shell/session.h"

class OpenExcel;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QTabWidget;

// "Set Translate EMCY": one page per direction, each a list box of the
// entries' IDs beside the fields of the selected entry. A view over the EMCY
// editor of the session: every edit goes straight into the editor's page, and
// the page is shown again after each operation.
class TFemcy : public QDialog {
    Q_OBJECT
  public:
    TFemcy(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
           QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The widgets of one page, bound to the editor's page of that direction.
    struct Page {
        QListWidget* list = nullptr;
        std::array<QLineEdit*, fenwarp::TClEmcy::text_field_count> edits{};
        QCheckBox* enable = nullptr;
        QButtonGroup* alias = nullptr;
    };

    QWidget* makePage(int direction);
    QWidget* makeFields(int direction, QWidget* parent);
    QWidget* makeAliasGroup(int direction, QWidget* parent);
    void FormShow();
    void LBCanAClick(int direction, int row);
    void NewAClick(int direction);
    void ModifyAClick(int direction);
    void DeleteAClick(int direction);
    void BitBtn1Click();
    void Button1Click();
    void ButtonXlsxClick();
    void BitBtn4Click();
    void showPage(int direction);
    void showPages();

    fenwarp::Session& session_;
    OpenExcel& openExcel_;
    fenwarp::Messages& messages_;
    QTabWidget* notebook_;
    std::array<Page, 2> pages_;
    bool showing_ = false;  // the widgets are being filled from the editor
};
