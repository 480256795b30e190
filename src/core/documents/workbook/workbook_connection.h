#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/documents/workbook/workbook_data.h"

namespace fenwarp {

// A read-only connection to one workbook (.xls, .xlsx or .ods, told by its
// content), addressed by a connection text of the form
// "...;DBQ=<path>;Mode=Read". The workbook is read whole on open (see
// workbook_reader.h).
class WorkbookConnection {
  public:
    WorkbookConnection() = default;
    ~WorkbookConnection() { close(); }
    WorkbookConnection(const WorkbookConnection&) = delete;
    WorkbookConnection& operator=(const WorkbookConnection&) = delete;

    void set_connection_text(std::string text) { connection_text_ = std::move(text); }
    const std::string& connection_text() const { return connection_text_; }

    // Opens the workbook the connection text names, closing any open one first.
    // Throws WorkbookError when it cannot be read, is no workbook or is no
    // regular file (a FIFO would block the reader for good).
    void open();
    void close();
    bool is_open() const { return data_.has_value(); }

    // Every worksheet's name followed by "$", in workbook order.
    std::vector<std::string> table_names() const;

    // Makes the sheet named `sheet` (any letter case) the one cells are read
    // from. Throws WorkbookError when there is none.
    SheetSize select_sheet(const std::string& sheet);
    // A cell of the selected sheet: nothing for an empty one, numbers in their
    // text form, booleans "1" or "0", texts as they come. Throws
    // RefusedCellError, naming the cell, for one without a value to take: a
    // formula whose value the file does not hold, a date, an error.
    std::optional<std::string> cell(std::size_t row, std::size_t column) const;

  private:
    std::string connection_text_;
    std::optional<WorkbookData> data_;
    const SheetData* selected_ = nullptr;
};

// The workbook a connection text names: the DBQ value, which runs up to the
// final ";Mode=" so that a path holding ";" stays whole.
std::filesystem::path connection_database(const std::string& connection_text);

}  // namespace fenwarp
