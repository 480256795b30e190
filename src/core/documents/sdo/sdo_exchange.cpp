// The SDO table's mapping onto the shared CSV export and workbook import.
#include <array>

#include "core/documents/csv_export.h"
#include "core/documents/sdo/sdo_editor.h"
#include "core/documents/sdo/sdo_table.h"
#include "core/int_text.h"

namespace fenwarp {

void SdoEditor::export_csv(const std::filesystem::path& project_dir) const {
    CsvText csv;
    std::array<std::string, sdo::field_count> line;
    for (int direction = 0; direction < 2; ++direction) {
        const TextGrid& grid = page(direction);
        for (std::size_t r = 0; r < grid.rows(); ++r) {
            line[0] = sdo::conf_text(grid.cell(r, sdo::rw_column), direction);
            for (std::size_t f = 1; f < sdo::field_count; ++f) line[f] = grid.cell(r, f + 1);
            csv.add_line(line);
        }
    }
    csv.save(csv_path(project_dir, sdo::base_name));
}

void SdoEditor::clear_data_rows() {
    for (TextGrid* grid : {&sga, &sgb}) {
        for (std::size_t r = 1; r < grid->rows(); ++r) {
            for (std::size_t c = 1; c < grid->columns(); ++c) grid->set_cell(r, c, {});
        }
    }
}

ImportResult SdoEditor::import_workbook(const std::filesystem::path& workbook,
                                        WorkbookAccess& access) {
    clear_data_rows();
    std::array<std::size_t, 2> next_row = {1, 1};
    auto read = [&](const WorkbookQuery& record) -> StopReason {
        std::optional<std::int32_t> conf = to_int(record.field_text(0));
        if (!conf) return "conf \"" + record.field_text(0) + "\" does not convert";
        const int direction = sdo::direction_of(conf.value());
        // A full page ends the import, so no record is kept past the grid.
        if (next_row[direction] > sdo::data_rows) {
            return "the CAN " + std::to_string(direction) + " page is full (1500 rows)";
        }
        TextGrid& grid = page(direction);
        const std::size_t row = next_row[direction];
        std::array<std::string, sdo::field_count> fields;
        for (std::size_t f = 1; f < sdo::field_count; ++f) fields[f] = record.field_text(f);
        grid.set_cell(row, sdo::rw_column, sdo::rw_text(*conf));
        for (std::size_t f = 1; f < sdo::field_count; ++f) grid.set_cell(row, f + 1, fields[f]);
        ++next_row[direction];
        return std::nullopt;
    };
    return import_table(access, workbook, sdo::base_name, read);
}

}  // namespace fenwarp
