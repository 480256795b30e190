#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class BorderedPanel;
class ColumnBands;
class Grid;
class OpenExcel;
class QTabWidget;
class TextGridModel;

// "Set SDO Access": one page per direction, each a grid over the SDO editor's
// table with caption bars over its two groups of columns.
class TFsdo : public QDialog {
    Q_OBJECT
  public:
    TFsdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
          QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One notebook page: its grid, its model and its two caption bars.
    struct Page {
        Grid* grid = nullptr;
        TextGridModel* model = nullptr;
        BorderedPanel* left = nullptr;
        BorderedPanel* right = nullptr;
        ColumnBands* bars = nullptr;
    };

    QWidget* makePage(int direction);
    void FormShow();
    void FormResize();
    void layoutPage(Page& page);
    void BitBtn1Click();
    void Button1Click();
    void ButtonXlsxClick();
    void BitBtn4Click();
    void commitEdits();
    void reloadPages();

    fenwarp::Session& session_;
    OpenExcel& openExcel_;
    fenwarp::Messages& messages_;
    QTabWidget* notebook_;
    Page pages_[2];
};
