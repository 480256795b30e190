#pragma once

#include <filesystem>

#include "core/documents/text_grid.h"
#include "core/documents/workbook/table_import.h"
#include "core/messages.h"

namespace fenwarp {

// State of the SDO access dialog: one grid per direction. sga holds the
// requests arriving on CAN 0, sgb those arriving on CAN 1. The grids keep what
// they hold between showings; a dialog never shown holds no data rows.
class SdoEditor {
  public:
    // Shown when sdo.xml holds more rows of one direction than a page has.
    static constexpr const char* page_full_message =
        "Too many rows in file XML: each page holds 1500, the rest was not loaded";

    SdoEditor() { reset(); }

    // Sizes both grids, empties them and writes the heading row and the row
    // numbers.
    void reset();

    // Reset, then fills both grids from the document, each row on the page of
    // its direction in document order. A missing file leaves them empty; a
    // reading failure keeps the rows placed before it.
    void load(const std::filesystem::path& file, Messages& messages);

    // Writes each page's rows down to the first with an empty RW cell, CAN 0
    // first, each page sorted by virtual index and subindex. Throws Error when
    // the file cannot be written.
    void save_document(const std::filesystem::path& file) const;

    // Writes sdo.csv into the project directory: every row of both grids, the
    // heading rows included. Throws Error when the file cannot be written.
    void export_csv(const std::filesystem::path& project_dir) const;

    // Empties the data rows of both grids, then fills them from the workbook's
    // "sdo" sheet. Stops at a record whose conf does not convert or whose page
    // is full, keeping the rows filled before it.
    ImportResult import_workbook(const std::filesystem::path& workbook, WorkbookAccess& access);

    TextGrid& page(int direction) { return direction == 0 ? sga : sgb; }
    const TextGrid& page(int direction) const { return direction == 0 ? sga : sgb; }

    TextGrid sga;
    TextGrid sgb;

  private:
    void clear_data_rows();
};

}  // namespace fenwarp
