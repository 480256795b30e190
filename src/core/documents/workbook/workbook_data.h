#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fenwarp {

// The size of a sheet: rows and columns as counts, the heading row included.
struct SheetSize {
    std::size_t rows = 0;
    std::size_t columns = 0;
};

// A cell's place: (row, column) from 0.
using CellPlace = std::pair<std::uint32_t, std::uint32_t>;

// One worksheet as read: its name, its size and the text of every cell that
// has a value. Cells whose value must not be taken as text (a formula without
// a value, a date, an error) are listed apart with what they hold ("holds a
// date"), so that reading one stops the import with the cell named.
struct SheetData {
    std::string name;
    SheetSize size;
    std::map<CellPlace, std::string> cells;
    std::map<CellPlace, std::string> refused = {};
};

// A whole workbook as read, sheets in workbook order.
struct WorkbookData {
    std::vector<SheetData> sheets;
};

}  // namespace fenwarp
