#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"
#include "core/documents/workbook/table_import.h"
#include "core/messages.h"

namespace fenwarp {

enum class LoadStatus {
    Loaded,      // every record of the document is in the editor
    Missing,     // there is no document; the editor holds an empty table
    Unreadable,  // reading stopped; the records before the fault are in
};

// What a load did; the editor has shown its messages already.
struct LoadResult {
    LoadStatus status = LoadStatus::Loaded;
    std::size_t records = 0;  // records placed
    std::size_t dropped = 0;  // records left out for want of room
};

// What every table editor offers the front ends, so that the command line
// handles each table the same way.
class TableEditor {
  public:
    virtual ~TableEditor() = default;

    virtual const TableDescription& table() const = 0;
    // Fills the editor from the document, showing what the table's dialog
    // shows on a fault.
    virtual LoadResult load(const std::filesystem::path& file, Messages& messages) = 0;
    // Writes the document; throws Error when it cannot, and writes nothing then.
    virtual void save_document(const std::filesystem::path& file) const = 0;
    // The records a save writes, in document order. Throws Error when they
    // cannot be ordered or hold a character a document cannot.
    virtual std::vector<TableRecord> document_records() const = 0;
    // The same records as a workbook holds them for the import: the direction
    // field holds the code the import reads, where that differs.
    virtual std::vector<TableRecord> sheet_records() const { return document_records(); }
    // Writes <base name>.xlsx into the project folder: a heading row of the
    // attribute names, then sheet_records(). Throws Error on failure and
    // leaves an existing file whole then.
    void export_xlsx(const std::filesystem::path& project_dir) const;
    // Writes <base name>.csv into the project folder; throws Error on failure.
    virtual void export_csv(const std::filesystem::path& project_dir) const = 0;
    // Fills the editor from the workbook's sheet named after the table.
    virtual ImportResult import_workbook(const std::filesystem::path& workbook,
                                         WorkbookAccess& access) = 0;
};

}  // namespace fenwarp
