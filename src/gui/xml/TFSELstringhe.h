#pragma once

#include <QDialog>

#include "core/messages.h"
#include "core/shell/session.h"

class QLabel;
class QTableWidget;

// "Select String": the strings of a strings document beside their index
// numbers; the selected row's index is remembered for the whole process.
class TFSELstringhe : public QDialog {
    Q_OBJECT
  public:
    static constexpr int rows = 1001;  // the heading row and 1000 strings

    TFSELstringhe(fenwarp::Session& session, fenwarp::Messages& messages,
                  QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FormShow();
    void FormResize();
    void sgSelectCell(int row);
    void setCell(int row, int column, const QString& text, bool fixed);

    fenwarp::Session& session_;
    fenwarp::Messages& messages_;
    QTableWidget* sg_;
    QLabel* label1_;
};
