#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/documents/workbook/workbook_data.h"

namespace fenwarp {

// What a cell holds that the import must not read as text.
namespace refusal {
inline constexpr const char* formula = "holds a formula: formulas must be replaced by values";
inline constexpr const char* date = "holds a date: enter it as text";
inline std::string error(const std::string& code) {
    return "holds the error " + (code.empty() ? std::string("value") : code);
}
}  // namespace refusal

// What the sheets of one workbook hold so far, against its limits.
struct SheetBudget {
    std::size_t cells = 0;
    std::size_t bytes = 0;  // of cell text
};

// Builds a sheet cell by cell for the readers of zip workbooks, within the
// bounds a spreadsheet has, so that no file can make the reader hold more
// than a bounded number of cells or bytes: a shared string or a repeated
// cell is copied into every cell it fills, so a small file could otherwise
// ask for any amount of memory.
class SheetBuilder {
  public:
    static constexpr std::uint64_t row_limit = 1048576;
    static constexpr std::uint64_t column_limit = 16384;
    static constexpr std::size_t cell_limit = 1000000;
    static constexpr std::size_t byte_limit = std::size_t{64} << 20;

    // `budget` counts for the whole workbook.
    SheetBuilder(std::string name, SheetBudget& budget) : budget_(budget) {
        sheet_.name = std::move(name);
    }

    void put(std::uint64_t row, std::uint64_t column, std::string text);
    void refuse(std::uint64_t row, std::uint64_t column, std::string reason);

    SheetData take() { return std::move(sheet_); }

  private:
    CellPlace place(std::uint64_t row, std::uint64_t column);

    SheetData sheet_;
    SheetBudget& budget_;
};

}  // namespace fenwarp
