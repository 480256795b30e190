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
    // Every table of the catalogue has its editor (the table layer's tests
    // hold to that), so the names come without building one: this text is
    // made on every start, whatever the command.
    for (const TableDescription* table : table_catalogue()) {
        if (!names.empty()) names += ", ";
        names += table->base_name;
    }
    return names;
}

}  // namespace fenwarp::cli
