#include "core/documents/workbook/workbook_connection.h"

#include <limits>

#include "core/documents/workbook/lower_case.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/workbook_reader.h"

namespace fenwarp {

namespace {

// "A" to "Z", then "AA" and on, as a spreadsheet names its columns.
std::string column_name(std::size_t column) {
    std::string name;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

}  // namespace

std::filesystem::path connection_database(const std::string& connection_text) {
    const std::string key = "dbq=";
    const std::string lower = lower_case(connection_text);
    std::size_t start = lower.find(key);
    while (start != std::string::npos && start != 0 && lower[start - 1] != ';') {
        start = lower.find(key, start + 1);
    }
    if (start == std::string::npos) throw WorkbookError("The connection names no workbook");
    start += key.size();
    std::size_t end = lower.rfind(";mode=");
    if (end == std::string::npos || end < start) end = connection_text.size();
    return connection_text.substr(start, end - start);
}

void WorkbookConnection::open() {
    close();
    data_ = read_workbook_file(connection_database(connection_text_));
}

void WorkbookConnection::close() {
    data_.reset();
    selected_ = nullptr;
}

std::vector<std::string> WorkbookConnection::table_names() const {
    if (!data_) throw WorkbookError("The workbook is not open");
    std::vector<std::string> names;
    for (const SheetData& sheet : data_->sheets) names.push_back(sheet.name + "$");
    return names;
}

SheetSize WorkbookConnection::select_sheet(const std::string& sheet) {
    if (!data_) throw WorkbookError("The workbook is not open");
    const std::string wanted = lower_case(sheet);
    for (const SheetData& candidate : data_->sheets) {
        if (lower_case(candidate.name) != wanted) continue;
        selected_ = &candidate;
        return candidate.size;
    }
    throw WorkbookError("No sheet " + sheet + " in the workbook");
}

std::optional<std::string> WorkbookConnection::cell(std::size_t row, std::size_t column) const {
    if (!data_) throw WorkbookError("The workbook is not open");
    if (selected_ == nullptr) throw WorkbookError("No sheet is selected");
    if (row >= selected_->size.rows || column >= selected_->size.columns) {
        throw WorkbookError("Cell outside the sheet");
    }
    const CellPlace at{static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)};
    auto found = selected_->cells.find(at);
    if (found != selected_->cells.end()) return found->second;
    auto refused = selected_->refused.find(at);
    if (refused != selected_->refused.end()) {
        throw RefusedCellError("Sheet " + selected_->name + ", row " + std::to_string(row + 1) +
                               ", column " + column_name(column) + " " + refused->second);
    }
    return std::nullopt;
}

}  // namespace fenwarp
