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

// Builds a sheet cell by cell for the readers of zip workbooks, within the
// bounds a spreadsheet has, so that no file can make the reader hold more
// than a bounded number of cells (repeated rows and cells included).
class SheetBuilder {
  public:
    static constexpr std::uint64_t row_limit = 1048576;
    static constexpr std::uint64_t column_limit = 16384;
    static constexpr std::size_t cell_limit = 1000000;

    // `cells` counts the cells of the whole workbook.
    SheetBuilder(std::string name, std::size_t& cells) : cells_(cells) {
        sheet_.name = std::move(name);
    }

    void put(std::uint64_t row, std::uint64_t column, std::string text);
    void refuse(std::uint64_t row, std::uint64_t column, std::string reason);

    SheetData take() { return std::move(sheet_); }

  private:
    CellPlace place(std::uint64_t row, std::uint64_t column);

    SheetData sheet_;
    std::size_t& cells_;
};

}  // namespace fenwarp
