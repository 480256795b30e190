#pragma once

#include <filesystem>
#include <vector>

#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

// Writes the table document: the root element named after the table, one
// empty "row" element per record with every attribute in table order. The
// file is replaced in one step (a failed save leaves the old one whole).
// Throws Error when it cannot be written.
void write_table_document(const TableDescription& table, const std::vector<TableRecord>& records,
                          const std::filesystem::path& file);

}  // namespace fenwarp
