#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>

#include "core/documents/table/table_description.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

enum class DocumentState { Read, Missing };

// Reads the table document record by record, in document order, handing each
// to `take` with its number (from 1). Every child element of the root is a
// record; every attribute the table does not mark optional must be there.
// Returns Missing, and reads nothing, when the file is not there. Throws
// XmlReadError for a document that does not parse or a record that lacks an
// attribute, naming the record and the attribute; `take` may throw it too.
// The records taken before the failure stay taken.
DocumentState read_table_document(
    const TableDescription& table, const std::filesystem::path& file,
    const std::function<void(std::size_t number, TableRecord&& record)>& take);

}  // namespace fenwarp
