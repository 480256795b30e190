// The workbook reader on arbitrary files: opening, listing the sheets, reading
// every cell of each and finding formula cells must end, and never fault,
// whatever the bytes. The bytes go through a file, as the reader only opens
// files.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/documents/workbook/formula_cells.h"
#include "core/documents/workbook/workbook_connection.h"
#include "core/documents/workbook/workbook_error.h"

namespace {

const std::filesystem::path& input_file() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("fenwarp-workbook-fuzz-" + std::to_string(::getpid()) + ".xls");
    return path;
}

void read_everything(fenwarp::WorkbookConnection& connection) {
    for (const std::string& table : connection.table_names()) {
        const fenwarp::SheetSize size = connection.select_sheet(table.substr(0, table.size() - 1));
        for (std::size_t r = 0; r < std::min<std::size_t>(size.rows, 256); ++r) {
            for (std::size_t c = 0; c < std::min<std::size_t>(size.columns, 64); ++c) {
                try {
                    (void)connection.cell(r, c);
                } catch (const fenwarp::RefusedCellError&) {
                }
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    (void)fenwarp::find_formula_cells_in(bytes);
    {
        std::ofstream out(input_file(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    fenwarp::WorkbookConnection connection;
    connection.set_connection_text("DBQ=" + input_file().string() + ";Mode=Read");
    try {
        connection.open();
        read_everything(connection);
    } catch (const fenwarp::WorkbookError&) {
    }
    return 0;
}
