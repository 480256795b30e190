#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"
#include "core/documents/text_grid.h"

namespace fenwarp {

// The two pages of a grid table, one grid per direction: the heading row 0,
// then the table's data rows numbered from "0" in the fixed column 0. Field f
// of a record lives in column f + 1; the direction field's column holds the
// page's flag ("1" or "0") instead of the direction code.
class GridPages {
  public:
    // `heading_row`: the texts of row 0, column 0 first.
    GridPages(const TableDescription& table, std::vector<std::string> heading_row);

    TextGrid& page(int direction) { return direction == 0 ? sga : sgb; }
    const TextGrid& page(int direction) const { return direction == 0 ? sga : sgb; }
    const TableDescription& description() const { return table_; }
    std::size_t flag_column() const { return table_.direction_field + 1; }

    // Sizes both grids, empties them and writes the heading row and the row
    // numbers.
    void reset();
    // Empties every data cell, keeping headings and row numbers.
    void clear_data_rows();

    // The record a grid row shows, the flag cell in the direction field.
    TableRecord row_record(const TextGrid& grid, std::size_t row) const;
    void set_row(TextGrid& grid, std::size_t row, const TableRecord& record) const;

    // The rows a save takes from a page: from row 1 down to the first whose
    // column 1 is empty.
    std::vector<TableRecord> saved_rows(int direction) const;

    TextGrid sga;
    TextGrid sgb;

  private:
    const TableDescription& table_;
    std::vector<std::string> heading_row_;
};

// The next free row of each page while records are placed one by one.
class PageFiller {
  public:
    explicit PageFiller(GridPages& pages) : pages_(pages) {}

    bool full(int direction) const { return next_[direction] > pages_.description().page_records; }
    // Puts the record on the next free row of its page; false, and nothing
    // placed, when the page is full.
    bool place(int direction, const TableRecord& record);

  private:
    GridPages& pages_;
    std::array<std::size_t, 2> next_ = {1, 1};
};

// "Too many rows in file XML: each page holds N, the rest was not loaded".
std::string surplus_message(const TableDescription& table);

}  // namespace fenwarp
