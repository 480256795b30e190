#include "gui/widgets/column_bands.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "gui/widgets/grid.h"

ColumnBands::ColumnBands(Grid* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto place = [this] { placeBands(); };
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, place);
    connect(grid->horizontalHeader(), &QHeaderView::geometriesChanged, this, place);
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, place);
    connect(grid->horizontalScrollBar(), &QScrollBar::rangeChanged, this, place);
    grid->installEventFilter(this);
}

void ColumnBands::addBand(QWidget* bar, int first, int last) {
    bar->setParent(this);
    bands_.push_back({bar, first, last});
    int height = 0;
    for (const Band& band : bands_) height = std::max(height, band.bar->sizeHint().height());
    setFixedHeight(height);
    placeBands();
}

void ColumnBands::placeBands() {
    if (grid_->model() == nullptr) return;
    // Bars are placed in the grid's viewport coordinates, shifted by where the
    // viewport begins within the grid (its frame), and clipped to the columns
    // that can be seen: a scrolling group never slides over the fixed ones.
    const int offset = grid_->viewport()->x() + grid_->x() - x();
    const int visible = grid_->viewport()->width();
    const int fixed = grid_->fixedWidth();
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const Band& band = bands_[i];
        const bool holdsFixed = band.first < grid_->fixedColumns();
        int left = grid_->columnViewportX(band.first);
        int right = grid_->columnViewportX(band.last) + grid_->columnWidth(band.last);
        if (i + 1 == bands_.size()) right = std::max(right, visible);
        if (holdsFixed) {
            right = std::max(right, fixed);
        } else {
            left = std::max(left, fixed);
        }
        right = std::min(right, visible);
        band.bar->setVisible(right > left);
        band.bar->setGeometry(offset + left, 0, std::max(right - left, 0), height());
    }
}

void ColumnBands::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeBands();
}

bool ColumnBands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        placeBands();
    }
    return QWidget::eventFilter(watched, event);
}
