// The .xlsx reader on arbitrary bytes: it must end, and never fault or
// exhaust the memory, whatever the container and its parts hold; a file it
// cannot take is a WorkbookError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/xlsx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fenwarp::WorkbookFile file{"fuzz.xlsx",
                                     std::string(reinterpret_cast<const char*>(data), size)};
    try {
        const fenwarp::WorkbookData workbook = fenwarp::XlsxReader().read(file);
        for (const fenwarp::SheetData& sheet : workbook.sheets) {
            if (sheet.cells.size() + sheet.refused.size() > sheet.size.rows * sheet.size.columns) {
                __builtin_trap();  // every cell lies within the sheet's size
            }
        }
    } catch (const fenwarp::WorkbookError&) {
    }
    return 0;
}
