#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/documents/workbook/table_import.h"
#include "core/shell/project_context.h"

namespace fenwarp::cli {

// What the export and import commands need of one table. Each function loads
// the table's document itself; it returns false when the document could not be
// read as a whole (its editor has then said why), and writes nothing.
struct TableCommands {
    const char* name;  // the document base name
    bool (*export_csv)(const ProjectContext& context, Messages& messages);
    // Loads, imports and, only when every record was taken, saves the document.
    bool (*import)(const ProjectContext& context, const std::filesystem::path& workbook,
                   Messages& messages, ImportResult& result);
};

// The tables the commands know, in the order the usage text lists them.
const std::vector<TableCommands>& tables();
const TableCommands* find_table(const std::string& name);
// "sdo" or "sdo, rpdodef, ...", for usage texts.
std::string table_names();

TableCommands sdo_table_commands();  // table_sdo.cpp

}  // namespace fenwarp::cli
