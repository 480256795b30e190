#pragma once

#include <memory>

#include "core/documents/table/table_editor.h"

namespace fenwarp {

// A new editor for the table, or nullptr for a table that has none yet. The
// one place that knows which editor class belongs to which table.
std::unique_ptr<TableEditor> make_table_editor(const TableDescription& table);

}  // namespace fenwarp
