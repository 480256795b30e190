#include "gui/widgets/grid.h"

#include <QHeaderView>

Grid::Grid(const QString& name, QWidget* parent) : QTableView(parent) {
    setObjectName(name);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(22);
    setWordWrap(false);
}

int Grid::fitColumns(int parts) {
    if (parts <= 0 || model() == nullptr) return 0;
    const int width = this->width() / parts;
    for (int c = 0; c < model()->columnCount(); ++c) setColumnWidth(c, width);
    return width;
}

void Grid::commitEdit() {
    if (state() != QAbstractItemView::EditingState) return;
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}
