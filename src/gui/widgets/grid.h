#pragma once

#include <QTableView>

// The column-titled data grid with in-place editing: a table view over a
// model of the core's text grid. Editing starts on a key, a double click or F2;
// the user may resize the columns.
class Grid : public QTableView {
    Q_OBJECT
  public:
    explicit Grid(const QString& name, QWidget* parent = nullptr);

    // Gives every column the same width, the grid's width divided by `parts`
    // with the fraction dropped, and returns that width.
    int fitColumns(int parts);

    // Writes a cell being edited into the model, so that a button pressed
    // while typing sees the text.
    void commitEdit();
};
