#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/documents/workbook/workbook_data.h"

namespace fenwarp {

// A workbook file as the readers get it: its path, for messages and for
// readers that must open it themselves, and its bytes, read once.
struct WorkbookFile {
    std::filesystem::path path;
    std::string bytes;
};

// The formats a workbook comes in, told apart by the file's content.
enum class WorkbookFormat { Xls, Xlsx, Ods };

// Reads every sheet of one format into WorkbookData; one implementation per
// format. Throws WorkbookError naming the file when it cannot.
//
// FreeXL has memory faults on malformed files, so .xls is read in a child
// process. .xlsx and .ods are read here: libzip and pugixml are well-kept,
// fuzzed libraries, our own reading is fuzzed too, and every amount a file
// states is bounded (32 MiB per part, counted while inflating; a million
// cells; 64 levels of nesting), so a file can neither fault the program nor
// keep it busy for long, and the import is spared a process start.
class WorkbookReader {
  public:
    virtual ~WorkbookReader() = default;
    virtual WorkbookData read(const WorkbookFile& file) const = 0;
};

// The format of the bytes, whatever the file's name: an OLE2 compound file is
// .xls; a zip container holding "xl/workbook.xml" is .xlsx, one whose
// "mimetype" names an OpenDocument spreadsheet (or that holds "content.xml")
// is .ods. Throws WorkbookError for anything else, a zip without a workbook
// included.
WorkbookFormat workbook_format(const WorkbookFile& file);

std::unique_ptr<WorkbookReader> workbook_reader(WorkbookFormat format);

// Reads the workbook at `path`: only a regular file is opened (a FIFO would
// block), then the reader of its format reads it. Throws WorkbookError.
WorkbookData read_workbook_file(const std::filesystem::path& path);

}  // namespace fenwarp
