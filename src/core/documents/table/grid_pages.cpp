#include "core/documents/table/grid_pages.h"

namespace fenwarp {

GridPages::GridPages(const TableDescription& table, std::vector<std::string> heading_row)
    : table_(table), heading_row_(std::move(heading_row)) {
    reset();
}

void GridPages::reset() {
    for (TextGrid* grid : {&sga, &sgb}) {
        grid->resize(table_.page_records + 1, table_.field_count() + 1);
        grid->clear();
        for (std::size_t c = 0; c < heading_row_.size(); ++c) grid->set_cell(0, c, heading_row_[c]);
        for (std::size_t r = 1; r < grid->rows(); ++r) grid->set_cell(r, 0, std::to_string(r - 1));
    }
}

void GridPages::clear_data_rows() {
    for (TextGrid* grid : {&sga, &sgb}) {
        for (std::size_t r = 1; r < grid->rows(); ++r) {
            for (std::size_t c = 1; c < grid->columns(); ++c) grid->set_cell(r, c, {});
        }
    }
}

TableRecord GridPages::row_record(const TextGrid& grid, std::size_t row) const {
    TableRecord record(table_.field_count());
    for (std::size_t f = 0; f < record.size(); ++f) record[f] = grid.cell(row, f + 1);
    return record;
}

void GridPages::set_row(TextGrid& grid, std::size_t row, const TableRecord& record) const {
    for (std::size_t f = 0; f < record.size(); ++f) grid.set_cell(row, f + 1, record[f]);
}

std::vector<TableRecord> GridPages::saved_rows(int direction) const {
    const TextGrid& grid = page(direction);
    std::vector<TableRecord> records;
    for (std::size_t r = 1; r < grid.rows() && records.size() < table_.page_records; ++r) {
        if (grid.cell(r, 1).empty()) break;
        records.push_back(row_record(grid, r));
    }
    return records;
}

bool PageFiller::place(int direction, const TableRecord& record) {
    if (full(direction)) return false;
    pages_.set_row(pages_.page(direction), next_[direction]++, record);
    return true;
}

std::string surplus_message(const TableDescription& table) {
    return "Too many rows in file XML: each page holds " + std::to_string(table.page_records) +
           ", the rest was not loaded";
}

}  // namespace fenwarp
