#pragma once

#include <memory>
#include <string>

#include "core/documents/table/table_editor.h"

namespace fenwarp::cli {

// The editor of a table of the catalogue, by base name; nullptr for any
// other name.
std::unique_ptr<TableEditor> table_editor(const std::string& name);
// "sdo, rpdodef, ...", for usage texts.
std::string table_names();

}  // namespace fenwarp::cli
