#include "core/documents/table/grid_table_editor.h"

#include <optional>

#include "core/documents/csv_export.h"
#include "core/documents/document_messages.h"
#include "core/documents/table/table_reader.h"
#include "core/documents/table/table_writer.h"
#include "core/documents/xml_document.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

const char* flag_text(bool flag) {
    return flag ? "1" : "0";
}

}  // namespace

LoadResult GridTableEditor::load(const std::filesystem::path& file, Messages& messages) {
    reset();
    const std::size_t d = table().direction_field;
    LoadResult result;
    PageFiller filler(*this);
    try {
        auto take = [&](std::size_t number, TableRecord&& record) {
            std::optional<std::int32_t> code = to_int(record[d]);
            if (!code) {
                throw XmlReadError(std::string(table().document) + ": record " +
                                   std::to_string(number) + ": " + table().attributes[d] +
                                   " does not convert");
            }
            const GridCode grid = document_code(*code);
            record[d] = flag_text(grid.flag);
            // A full page drops the record rather than keep it anywhere a
            // later save could write it.
            if (filler.place(grid.direction, record)) {
                ++result.records;
            } else {
                ++result.dropped;
            }
        };
        if (read_table_document(table(), file, take) == DocumentState::Missing) {
            result.status = LoadStatus::Missing;
            if (reports_missing_document()) messages.show(document_messages::not_found);
            return result;
        }
    } catch (const XmlReadError&) {
        messages.show(document_messages::read_error);
        result.status = LoadStatus::Unreadable;
        return result;
    }
    if (result.dropped > 0) messages.show(surplus_message(table()));
    return result;
}

void GridTableEditor::save_document(const std::filesystem::path& file) const {
    write_table_document(table(), document_records(), file);
}

std::vector<TableRecord> GridTableEditor::sheet_records() const {
    const std::size_t d = table().direction_field;
    std::vector<TableRecord> records = document_records();
    for (TableRecord& record : records) {
        // The document codes were written by document_code_text, so they convert.
        const GridCode code = document_code(to_int(record[d]).value_or(0));
        record[d] = csv_code_text(code.flag, code.direction);
    }
    return records;
}

std::vector<TableRecord> GridTableEditor::document_records() const {
    const std::size_t d = table().direction_field;
    std::vector<TableRecord> records;
    for (int direction = 0; direction < 2; ++direction) {
        std::vector<TableRecord> rows = saved_rows(direction);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            check_record_characters(
                table(), rows[r],
                "row " + std::to_string(r) + (direction == 0 ? " of sga" : " of sgb"));
        }
        for (TableRecord& row : rows) row[d] = document_code_text(row[d] == "1", direction);
        order(rows, direction);
        for (TableRecord& row : rows) records.push_back(std::move(row));
    }
    return records;
}

void GridTableEditor::export_csv(const std::filesystem::path& project_dir) const {
    const std::size_t d = table().direction_field;
    CsvText csv;
    for (int direction = 0; direction < 2; ++direction) {
        const TextGrid& grid = page(direction);
        for (std::size_t r = 0; r < grid.rows(); ++r) {
            TableRecord line = row_record(grid, r);
            line[d] = csv_code_text(line[d] == "1", direction);
            csv.add_line(line);
        }
    }
    csv.save(csv_path(project_dir, table().base_name));
}

ImportResult GridTableEditor::import_workbook(const std::filesystem::path& workbook,
                                              WorkbookAccess& access) {
    // A workbook that gives no record leaves the pages as they were.
    const TextGrid kept[2] = {sga, sgb};
    clear_data_rows();
    const std::size_t d = table().direction_field;
    PageFiller filler(*this);
    auto read = [&](const WorkbookQuery& sheet) -> StopReason {
        TableRecord record(table().field_count());
        for (std::size_t f = 0; f < record.size(); ++f) record[f] = sheet.field_text(f);
        std::optional<std::int32_t> code = to_int(record[d]);
        if (!code) return table().attributes[d] + " \"" + record[d] + "\" does not convert";
        const GridCode grid = sheet_code(*code);
        record[d] = flag_text(grid.flag);
        // A full page ends the import, so no record is kept past the grid.
        if (!filler.place(grid.direction, record)) {
            return "the CAN " + std::to_string(grid.direction) + " page is full (" +
                   std::to_string(table().page_records) + " rows)";
        }
        return std::nullopt;
    };
    ImportResult result = import_table(access, workbook, table(), read);
    if (result.records_taken == 0) {
        sga = kept[0];
        sgb = kept[1];
    }
    return result;
}

}  // namespace fenwarp
