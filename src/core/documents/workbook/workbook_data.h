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

// One worksheet as read: its name, its size and the text of every cell that
// has a value, by (row, column) from 0.
struct SheetData {
    std::string name;
    SheetSize size;
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::string> cells;
};

// A whole workbook as read, sheets in workbook order.
struct WorkbookData {
    std::vector<SheetData> sheets;
};

}  // namespace fenwarp
