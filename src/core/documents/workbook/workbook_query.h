#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/documents/workbook/workbook_connection.h"

namespace fenwarp {

// A query over a connection's workbook. It knows one statement,
// "select * from [<sheet>$]": one record per data row of that sheet, in sheet
// order. The sheet's first row holds the column headings and is no record.
class WorkbookQuery {
  public:
    explicit WorkbookQuery(WorkbookConnection& connection) : connection_(connection) {}

    void clear_text() { text_.clear(); }
    void add_line(const std::string& line);
    const std::string& text() const { return text_; }

    // Runs the statement and stands on the first record. Throws WorkbookError
    // for another statement, a closed connection or a missing sheet.
    void open();
    void close();
    bool is_open() const { return open_; }

    std::size_t record_count() const;
    std::size_t field_count() const { return open_ ? size_.columns : 0; }
    // The current record, counted from 0.
    std::size_t position() const { return position_; }
    bool at_end() const { return position_ >= record_count(); }
    void next();

    // A field of the current record by position: nothing for an empty cell.
    // Throws WorkbookError past the last field or the last record.
    std::optional<std::string> field(std::size_t index) const;
    // The same, with an empty cell read as an empty text.
    std::string field_text(std::size_t index) const { return field(index).value_or(""); }

  private:
    WorkbookConnection& connection_;
    std::string text_;
    bool open_ = false;
    SheetSize size_;
    std::size_t position_ = 0;
};

// The sheet a statement "select * from [<sheet>$]" reads, or nothing when the
// statement has another form.
std::optional<std::string> query_sheet(const std::string& statement);

}  // namespace fenwarp
