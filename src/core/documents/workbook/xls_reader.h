#pragma once

#include <chrono>
#include <filesystem>

#include "core/documents/workbook/workbook_data.h"
#include "core/documents/workbook/workbook_reader.h"

namespace fenwarp {

// Reads every sheet of an .xls workbook through FreeXL in a child process
// that is given `limit` to finish: FreeXL has memory faults on malformed
// files, and neither a fault nor a hang of the reader may take the program
// down. Throws WorkbookError when the file cannot be read, the reader fails or
// it runs out of time.
// Cells with a date are listed as refused.
WorkbookData read_xls(const std::filesystem::path& file,
                      std::chrono::milliseconds limit = std::chrono::seconds(30));

// The same within this process; what the child runs.
WorkbookData read_xls_here(const std::filesystem::path& file);

// The .xls reader: FreeXL in a child process, and the workbook's formula
// cells, to which FreeXL gives no value, listed as refused.
class XlsReader : public WorkbookReader {
  public:
    WorkbookData read(const WorkbookFile& file) const override;
};

}  // namespace fenwarp
