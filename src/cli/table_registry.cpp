#include "cli/table_registry.h"

#include "core/documents/table/table_catalogue.h"
#include "core/documents/table_editors.h"

namespace fenwarp::cli {

std::unique_ptr<TableEditor> table_editor(const std::string& name) {
    const TableDescription* table = find_table(name);
    return table != nullptr ? make_table_editor(*table) : nullptr;
}

std::string table_names() {
    std::string names;
    for (const TableDescription* table : table_catalogue()) {
        if (make_table_editor(*table) == nullptr) continue;
        if (!names.empty()) names += ", ";
        names += table->base_name;
    }
    return names;
}

}  // namespace fenwarp::cli
