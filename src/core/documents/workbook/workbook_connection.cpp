#include "core/documents/workbook/workbook_connection.h"

#include <freexl.h>

#include <limits>

#include "core/documents/workbook/cell_text.h"
#include "core/documents/workbook/lower_case.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/file_system.h"

namespace fenwarp {

namespace {

std::string code_text(int code) {
    return " (FreeXL error " + std::to_string(code) + ")";
}

unsigned sheet_count(const void* handle) {
    unsigned count = 0;
    int rc = freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count);
    if (rc != FREEXL_OK) throw WorkbookError("Cannot count the sheets" + code_text(rc));
    return count;
}

std::string sheet_name(const void* handle, unsigned index) {
    const char* name = nullptr;
    int rc = freexl_get_worksheet_name(handle, static_cast<unsigned short>(index), &name);
    if (rc != FREEXL_OK || name == nullptr) {
        throw WorkbookError("Cannot read the name of sheet " + std::to_string(index) +
                            code_text(rc));
    }
    return name;
}

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
    const std::filesystem::path file = connection_database(connection_text_);
    if (!is_file(file)) {
        throw WorkbookError("Cannot open workbook " + file.string() + ": not a regular file");
    }
    const void* handle = nullptr;
    int rc = freexl_open(file.c_str(), &handle);
    // FreeXL may report success and still give no handle for a file it could
    // not take in.
    if (rc != FREEXL_OK || handle == nullptr) {
        if (handle != nullptr) freexl_close(handle);
        throw WorkbookError("Cannot open workbook " + file.string() + code_text(rc));
    }
    handle_ = handle;
    formulas_ = find_formula_cells(file);
}

void WorkbookConnection::close() {
    if (handle_ != nullptr) freexl_close(handle_);
    handle_ = nullptr;
    formulas_.clear();
    sheet_.clear();
}

std::vector<std::string> WorkbookConnection::table_names() const {
    if (handle_ == nullptr) throw WorkbookError("The workbook is not open");
    std::vector<std::string> names;
    const unsigned count = sheet_count(handle_);
    for (unsigned i = 0; i < count; ++i) names.push_back(sheet_name(handle_, i) + "$");
    return names;
}

SheetSize WorkbookConnection::select_sheet(const std::string& sheet) {
    if (handle_ == nullptr) throw WorkbookError("The workbook is not open");
    const std::string wanted = lower_case(sheet);
    const unsigned count = sheet_count(handle_);
    for (unsigned i = 0; i < count && i <= std::numeric_limits<unsigned short>::max(); ++i) {
        std::string name = sheet_name(handle_, i);
        if (lower_case(name) != wanted) continue;
        int rc = freexl_select_active_worksheet(handle_, static_cast<unsigned short>(i));
        unsigned rows = 0;
        unsigned short columns = 0;
        if (rc == FREEXL_OK) rc = freexl_worksheet_dimensions(handle_, &rows, &columns);
        if (rc != FREEXL_OK) throw WorkbookError("Cannot read sheet " + sheet + code_text(rc));
        sheet_ = std::move(name);
        return {rows, columns};
    }
    throw WorkbookError("No sheet " + sheet + " in the workbook");
}

std::optional<std::string> WorkbookConnection::cell(std::size_t row, std::size_t column) const {
    if (handle_ == nullptr) throw WorkbookError("The workbook is not open");
    if (row > std::numeric_limits<unsigned>::max() ||
        column > std::numeric_limits<unsigned short>::max()) {
        throw WorkbookError("Cell outside the sheet");
    }
    FreeXL_CellValue value;
    int rc = freexl_get_cell_value(handle_, static_cast<unsigned>(row),
                                   static_cast<unsigned short>(column), &value);
    if (rc != FREEXL_OK) {
        throw WorkbookError("Cannot read the cell at row " + std::to_string(row + 1) + ", column " +
                            std::to_string(column + 1) + code_text(rc));
    }
    switch (value.type) {
        case FREEXL_CELL_INT:
            return std::to_string(value.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return number_text(value.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            if (value.value.text_value == nullptr) return std::nullopt;
            return std::string(value.value.text_value);
        default:
            if (holds_formula(row, column)) {
                throw FormulaCellError("Sheet " + sheet_ + ", row " + std::to_string(row + 1) +
                                       ", column " + column_name(column) +
                                       " holds a formula: formulas must be replaced by values");
            }
            return std::nullopt;
    }
}

bool WorkbookConnection::holds_formula(std::size_t row, std::size_t column) const {
    auto found = formulas_.find(sheet_);
    return found != formulas_.end() &&
           found->second.count(
               {static_cast<std::uint32_t>(row), static_cast<std::uint16_t>(column)}) != 0;
}

}  // namespace fenwarp
