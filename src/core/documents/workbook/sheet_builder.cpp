#include "core/documents/workbook/sheet_builder.h"

#include <algorithm>

#include "core/documents/workbook/workbook_error.h"

namespace fenwarp {

CellPlace SheetBuilder::place(std::uint64_t row, std::uint64_t column) {
    if (row >= row_limit || column >= column_limit) {
        throw WorkbookError("Sheet " + sheet_.name + " has a cell beyond row " +
                            std::to_string(row_limit) + " or column " +
                            std::to_string(column_limit));
    }
    if (++budget_.cells > cell_limit) {
        throw WorkbookError("The workbook holds more than " + std::to_string(cell_limit) +
                            " cells");
    }
    sheet_.size.rows = std::max<std::size_t>(sheet_.size.rows, row + 1);
    sheet_.size.columns = std::max<std::size_t>(sheet_.size.columns, column + 1);
    return {static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)};
}

void SheetBuilder::put(std::uint64_t row, std::uint64_t column, std::string text) {
    const CellPlace at = place(row, column);
    budget_.bytes += text.size();
    if (budget_.bytes > byte_limit) {
        throw WorkbookError("The workbook holds more than " + std::to_string(byte_limit >> 20) +
                            " MiB of cell text");
    }
    sheet_.refused.erase(at);
    sheet_.cells.insert_or_assign(at, std::move(text));
}

void SheetBuilder::refuse(std::uint64_t row, std::uint64_t column, std::string reason) {
    const CellPlace at = place(row, column);
    sheet_.cells.erase(at);
    sheet_.refused.insert_or_assign(at, std::move(reason));
}

}  // namespace fenwarp
