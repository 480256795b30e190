#pragma once

#include <QTableView>

// The column-titled data grid with in-place editing: a table view over a
// model of the core's text grid. Editing starts on a key, a double click or F2;
// the user may resize the columns. The first columns may be fixed: they stay
// in place while the others scroll sideways.
class Grid : public QTableView {
    Q_OBJECT
  public:
    explicit Grid(const QString& name, QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Keeps the first `count` columns in place while the grid scrolls sideways.
    void setFixedColumns(int count);
    int fixedColumns() const { return fixedColumns_; }
    // The width the fixed columns take at the grid's left.
    int fixedWidth() const;

    // Gives every column the same width, the grid's width divided by `parts`
    // with the fraction dropped, and returns that width.
    int fitColumns(int parts);

    // Writes a cell being edited into the model, so that a button pressed
    // while typing sees the text.
    void commitEdit();

    // Where a column begins within the viewport: a fixed column at its own
    // place, the others as scrolled.
    int columnViewportX(int column) const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

  private:
    void placeFixedView();
    void showOnlyFixedColumns();

    QTableView* fixedView_ = nullptr;  // drawn over the fixed columns
    int fixedColumns_ = 0;
};
