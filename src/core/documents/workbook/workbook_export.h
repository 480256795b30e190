#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

// The workbook a table exports to: the document base name followed by
// ".xlsx" in the project directory.
std::filesystem::path workbook_path(const std::filesystem::path& project_dir,
                                    std::string_view base_name);

// Writes `file` as an .xlsx workbook with one sheet named after the table: a
// heading row of the attribute names, then one row per record, every field a
// text cell (so "0x2000" and "007" stay as typed; an empty field is an empty
// cell). The file is written like every output: a temporary file beside it,
// then one rename. Throws Error, the old file whole, when it cannot be
// written or a field cannot go into a workbook.
void write_table_workbook(const TableDescription& table, const std::vector<TableRecord>& records,
                          const std::filesystem::path& file);

}  // namespace fenwarp
