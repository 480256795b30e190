#include "core/documents/text_grid.h"

#include <algorithm>

namespace fenwarp {

void TextGrid::resize(std::size_t rows, std::size_t columns) {
    if (rows == rows_ && columns == columns_) return;
    std::vector<std::string> cells(rows * columns);
    for (std::size_t r = 0; r < std::min(rows, rows_); ++r) {
        for (std::size_t c = 0; c < std::min(columns, columns_); ++c) {
            cells[r * columns + c] = std::move(cells_[r * columns_ + c]);
        }
    }
    cells_ = std::move(cells);
    rows_ = rows;
    columns_ = columns;
}

void TextGrid::clear() {
    for (std::string& text : cells_) text.clear();
}

const std::string& TextGrid::cell(std::size_t row, std::size_t column) const {
    static const std::string empty;
    if (row >= rows_ || column >= columns_) return empty;
    return cells_[row * columns_ + column];
}

void TextGrid::set_cell(std::size_t row, std::size_t column, std::string text) {
    if (row >= rows_ || column >= columns_) return;
    cells_[row * columns_ + column] = std::move(text);
}

}  // namespace fenwarp
