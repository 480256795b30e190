#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class Grid;
class OpenExcel;
class QTabWidget;
class TextGridModel;

// "Define Translate PDO": one page per direction, each a grid of ten rows over
// the PDO editor's table.
class TFpdo : public QDialog {
    Q_OBJECT
  public:
    TFpdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
          QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Page {
        Grid* grid = nullptr;
        TextGridModel* model = nullptr;
    };

    QWidget* makePage(int direction);
    void FormShow();
    void FormResize();
    void layoutGrid(Grid* grid);
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
