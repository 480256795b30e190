#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

// Writes the table document: the root element named after the table, one
// empty "row" element per record with every attribute in table order. The
// file is replaced in one step (a failed save leaves the old one whole). A
// field holding a character XML 1.0 does not allow is refused, naming the
// document, the record and the field.
// Throws Error when it cannot be written.
void write_table_document(const TableDescription& table, const std::vector<TableRecord>& records,
                          const std::filesystem::path& file);

// Throws Error, naming the document, `label` and the field, when a field of
// the record holds a character XML 1.0 does not allow.
void check_record_characters(const TableDescription& table, const TableRecord& record,
                             const std::string& label);

}  // namespace fenwarp
