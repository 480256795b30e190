#include "gui/widgets/grid.h"

#include <QHeaderView>
#include <QScrollBar>

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
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void Grid::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    if (fixedView_ != nullptr) {
        fixedView_->setModel(model);
        fixedView_->setSelectionModel(selectionModel());
        showOnlyFixedColumns();
    }
}

void Grid::setFixedColumns(int count) {
    fixedColumns_ = count;
    if (fixedView_ == nullptr) {
        // The fixed columns are a second view over the same model and
        // selection, laid over the grid's left edge; the grid's own copies of
        // those columns scroll away beneath it.
        fixedView_ = new QTableView(this);
        fixedView_->setObjectName("FixedColumns");
        fixedView_->setFocusPolicy(Qt::NoFocus);
        fixedView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        fixedView_->verticalHeader()->setVisible(false);
        fixedView_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
        fixedView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        fixedView_->horizontalHeader()->setHighlightSections(false);
        fixedView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fixedView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fixedView_->setVerticalScrollMode(verticalScrollMode());
        fixedView_->setWordWrap(false);
        fixedView_->setFrameShape(QFrame::NoFrame);
        fixedView_->setStyleSheet("QTableView { border: none; border-right: 1px solid #8a99a8; }");
        viewport()->stackUnder(fixedView_);
        connect(horizontalHeader(), &QHeaderView::sectionResized, this,
                [this](int column, int, int width) {
                    if (column < fixedColumns_) {
                        fixedView_->setColumnWidth(column, width);
                        placeFixedView();
                    }
                });
        connect(verticalScrollBar(), &QScrollBar::valueChanged, fixedView_->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(fixedView_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
                &QScrollBar::setValue);
        if (model() != nullptr) setModel(model());
    }
    showOnlyFixedColumns();
    fixedView_->setVisible(count > 0);
    placeFixedView();
}

void Grid::showOnlyFixedColumns() {
    if (fixedView_ == nullptr || model() == nullptr) return;
    for (int c = 0; c < model()->columnCount(); ++c) {
        fixedView_->setColumnHidden(c, c >= fixedColumns_);
        if (c < fixedColumns_) fixedView_->setColumnWidth(c, columnWidth(c));
    }
}

int Grid::fixedWidth() const {
    int width = 0;
    for (int c = 0; c < fixedColumns_; ++c) width += columnWidth(c);
    return width;
}

int Grid::columnViewportX(int column) const {
    if (column < fixedColumns_) {
        int x = 0;
        for (int c = 0; c < column; ++c) x += columnWidth(c);
        return x;
    }
    return columnViewportPosition(column);
}

void Grid::placeFixedView() {
    if (fixedView_ == nullptr) return;
    fixedView_->setGeometry(viewport()->x(), frameWidth(), fixedWidth(),
                            viewport()->height() + horizontalHeader()->height());
    fixedView_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
}

void Grid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFixedView();
}

void Grid::updateGeometries() {
    QTableView::updateGeometries();
    placeFixedView();
}

void Grid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() < fixedColumns_) {
        horizontalScrollBar()->setValue(sideways);  // a fixed cell is always in view sideways
    } else if (const int hidden = fixedWidth() - visualRect(index).left(); hidden > 0) {
        // a cell beneath the fixed columns comes out from under them
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
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
