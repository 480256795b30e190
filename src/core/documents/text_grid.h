#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace fenwarp {

// A rows x columns grid of text cells, the model behind every table dialog's
// grid. Cells outside the grid read as empty and ignore writes, so a caller
// never reaches past the last row.
class TextGrid {
  public:
    TextGrid() = default;
    TextGrid(std::size_t rows, std::size_t columns) { resize(rows, columns); }

    // Sets the size; cells inside both old and new size keep their text.
    void resize(std::size_t rows, std::size_t columns);
    // Empties every cell, keeping the size.
    void clear();

    std::size_t rows() const { return rows_; }
    std::size_t columns() const { return columns_; }

    const std::string& cell(std::size_t row, std::size_t column) const;
    void set_cell(std::size_t row, std::size_t column, std::string text);

  private:
    std::size_t rows_ = 0;
    std::size_t columns_ = 0;
    std::vector<std::string> cells_;
};

}  // namespace fenwarp
