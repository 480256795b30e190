#include "cli/table_registry.h"

namespace fenwarp::cli {

const std::vector<TableCommands>& tables() {
    // A new table adds its line here.
    static const std::vector<TableCommands> list = {sdo_table_commands()};
    return list;
}

const TableCommands* find_table(const std::string& name) {
    for (const TableCommands& table : tables()) {
        if (name == table.name) return &table;
    }
    return nullptr;
}

std::string table_names() {
    std::string names;
    for (const TableCommands& table : tables()) {
        if (!names.empty()) names += ", ";
        names += table.name;
    }
    return names;
}

}  // namespace fenwarp::cli
