#include "core/documents/workbook/table_import.h"

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

ImportResult walk_records(WorkbookQuery& query, const SheetRecordReader& read) {
    ImportResult result;
    const std::size_t count = query.record_count();
    for (std::size_t i = 0; i < count; ++i) {
        StopReason stop;
        try {
            stop = read(query);
        } catch (const WorkbookError& e) {
            stop = e.what();
        }
        if (stop) {
            result.status = ImportStatus::Stopped;
            result.reason = "record " + std::to_string(i + 1) + ": " + *stop;
            return result;
        }
        ++result.records_taken;
        if (i + 1 < count) query.next();
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
                          std::string_view base_name, const SheetRecordReader& read) {
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
    return walk_records(access.query, read);
}

}  // namespace fenwarp
