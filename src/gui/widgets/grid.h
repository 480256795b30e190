#pragma once

#include <QTableView>

// The column-titled data grid with in-place editing: a table view over a
// model of the core's text grid. Editing starts on a key, a double click or F2.
class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(const QString& name, QWidget* parent = nullptr);
};
