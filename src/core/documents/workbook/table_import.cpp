#include "core/documents/workbook/table_import.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/documents/workbook/lower_case.h"
#include "core/documents/workbook/workbook_error.h"

namespace fenwarp {

namespace {

// Closes the query, then the connection, on every way out of the walk.
struct CloseOnExit {
    WorkbookAccess& access;
    ~CloseOnExit() {
        access.query.close();
        access.connection.close();
    }
};

bool sheet_present(const std::vector<std::string>& tables, std::string_view base_name) {
    const std::string wanted = std::string(base_name) + "$";
    for (const std::string& name : tables) {
        if (lower_case(name) == wanted) return true;
    }
    return false;
}

// Why a record is no record of the table: blank or a heading line, as an
// export opened and saved in a spreadsheet gives them; nothing otherwise.
std::optional<std::string> skip_reason(const WorkbookQuery& record, const TableDescription& table) {
    const std::size_t fields = std::min(record.field_count(), table.field_count());
    bool blank = true;
    bool heading = true;
    bool attributes = true;
    for (std::size_t f = 0; f < fields; ++f) {
        // A grid table's export writes its empty rows and headings with the
        // page's code in the direction field; a list table's never does.
        if (f == table.direction_field && table.pages_in_export) continue;
        const std::string text = record.field_text(f);
        blank = blank && text.empty();
        heading = heading && text == table.headings[f];
        attributes = attributes && text == table.attributes[f];
    }
    if (blank) return "blank record";
    if (heading || attributes) return "heading record";
    return std::nullopt;
}

ImportResult walk_records(WorkbookQuery& query, const TableDescription& table,
                          const SheetRecordReader& read) {
    ImportResult result;
    const std::size_t count = query.record_count();
    for (std::size_t i = 0; i < count; ++i) {
        StopReason stop;
        try {
            std::optional<std::string> skip = skip_reason(query, table);
            if (skip) {
                result.skipped.push_back({i + 1, *skip});
            } else {
                stop = read(query);
                if (!stop) ++result.records_taken;
            }
        } catch (const RefusedCellError& e) {
            result.status = ImportStatus::RefusedCell;
            result.reason = e.what();
            return result;
        } catch (const WorkbookError& e) {
            stop = e.what();
        }
        if (stop) {
            result.status = ImportStatus::Stopped;
            result.reason = "record " + std::to_string(i + 1) + ": " + *stop;
            return result;
        }
        if (i + 1 < count) query.next();
    }
    if (result.records_taken == 0) {
        result.status = ImportStatus::NoRecords;
        result.reason = "the sheet " + std::string(table.base_name) + " holds no record to import";
    }
    return result;
}

}  // namespace

std::string connection_text(const std::filesystem::path& workbook) {
    return "Provider=MSDASQL.1;Persist Security Info=False;Data Source=File di Microsoft "
           "Excel;DBQ=" +
           workbook.string() + ";Mode=Read";
}

std::string query_text(std::string_view base_name) {
    return "select * from [" + std::string(base_name) + "$]";
}

ImportResult import_table(WorkbookAccess& access, const std::filesystem::path& workbook,
                          const TableDescription& table, const SheetRecordReader& read) {
    const std::string_view base_name = table.base_name;
    CloseOnExit closer{access};
    access.query.close();
    try {
        access.connection.set_connection_text(connection_text(workbook));
        access.connection.open();
        if (!sheet_present(access.connection.table_names(), base_name)) {
            return {ImportStatus::SheetMissing,
                    0,
                    "the workbook has no sheet named " + std::string(base_name),
                    {}};
        }
        access.query.clear_text();
        access.query.add_line(query_text(base_name));
        access.query.open();
    } catch (const WorkbookError& e) {
        return {ImportStatus::Unreadable, 0, e.what(), {}};
    }
    return walk_records(access.query, table, read);
}

}  // namespace fenwarp
