#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/documents/table/table_description.h"
#include "core/documents/workbook/workbook_access.h"

namespace fenwarp {

// How an import ended. The dialogs say nothing whatever it is; the command
// line reports it.
enum class ImportStatus {
    Completed,     // every record of the sheet was taken
    Unreadable,    // the workbook could not be opened or read
    SheetMissing,  // no sheet is named after the table
    Stopped,       // a record could not be taken; the records before it were
    NoRecords,     // the sheet gave no record to take
    RefusedCell,   // a cell the table reads holds no value to take (a formula without its
                   // value, a date, an error); the records before it were taken
};

// A record the walk passed over, with its number (from 1, the sheet's row
// less its heading row) and why.
struct SkippedRecord {
    std::size_t record;
    std::string reason;
};

struct ImportResult {
    ImportStatus status = ImportStatus::Completed;
    std::size_t records_taken = 0;
    std::string reason;  // what went wrong, for every status but Completed
    std::vector<SkippedRecord> skipped = {};
};

// What a table makes of one record: nothing when it took it, otherwise why the
// import has to stop there.
using StopReason = std::optional<std::string>;
using SheetRecordReader = std::function<StopReason(const WorkbookQuery& record)>;

std::string connection_text(const std::filesystem::path& workbook);
std::string query_text(std::string_view base_name);

// The import walk every table shares: opens the workbook, finds the sheet
// named after the document base name (any letter case), and hands each record
// to `read` in sheet order. Blank records (every field but the direction code
// empty) and records that repeat the table's heading texts are skipped, as a
// spreadsheet saved from an export holds them. Any failure ends the walk at
// once; a walk that took no record ends as NoRecords. The query and the
// connection are closed at the end, whatever happened, so the next import
// starts from a closed connection.
ImportResult import_table(WorkbookAccess& access, const std::filesystem::path& workbook,
                          const TableDescription& table, const SheetRecordReader& read);

}  // namespace fenwarp
