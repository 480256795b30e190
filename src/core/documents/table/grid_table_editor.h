#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/documents/table/grid_pages.h"
#include "core/documents/table/table_editor.h"

namespace fenwarp {

// What a direction code says on a grid table: the page (0: sga, 1: sgb) and
// the flag its page shows.
struct GridCode {
    int direction;
    bool flag;
};

// The editor of a table shown as two grid pages. The table says how its
// direction codes read and are written, and how a page's rows are ordered on
// save; loading, saving, the CSV export and the workbook import are the same
// for every grid table.
class GridTableEditor : public TableEditor, public GridPages {
  public:
    using GridPages::GridPages;

    const TableDescription& table() const override { return description(); }

    // Reset, then each record on the page of its direction, in document order.
    // A page keeps the records that fit and says so; a reading fault keeps the
    // records placed before it.
    LoadResult load(const std::filesystem::path& file, Messages& messages) override;
    // The first page's rows, then the second's, each in the table's order.
    void save_document(const std::filesystem::path& file) const override;
    std::vector<TableRecord> document_records() const override;
    // The direction field as the CSV export writes it, which the import reads.
    std::vector<TableRecord> sheet_records() const override;
    // Every row of both grids, the heading rows included.
    void export_csv(const std::filesystem::path& project_dir) const override;
    // Empties the data rows of both grids, then fills them from the sheet.
    // Stops at a record whose direction code does not convert or whose page
    // is full, keeping the rows filled before it. When no record was taken,
    // whatever the reason, the pages keep what they held.
    ImportResult import_workbook(const std::filesystem::path& workbook,
                                 WorkbookAccess& access) override;

  protected:
    virtual GridCode document_code(std::int32_t code) const = 0;
    virtual std::string document_code_text(bool flag, int direction) const = 0;
    virtual GridCode sheet_code(std::int32_t code) const = 0;
    virtual std::string csv_code_text(bool flag, int direction) const = 0;
    // Puts one page's records (grid rows 1 to n, direction codes written) in
    // document order. Throws Error when a record cannot be ordered; nothing is
    // written then.
    virtual void order(std::vector<TableRecord>& records, int direction) const = 0;
    // Whether a missing document is reported ("File XML not found").
    virtual bool reports_missing_document() const = 0;
};

}  // namespace fenwarp
