#include <iostream>

#include "cli/command_list.h"
#include "cli/project_arg.h"
#include "cli/table_registry.h"
#include "core/documents/csv_export.h"

namespace fenwarp::cli {

namespace {

const TableCommands* table_arg(const std::string& name) {
    const TableCommands* table = find_table(name);
    if (table == nullptr) {
        std::cerr << "fenwarp-cli: unknown table '" << name << "' (tables: " << table_names()
                  << ")\n";
    }
    return table;
}

// Unlike the dialog, the command says why an import did not complete.
int report(const ImportResult& result, const std::string& workbook, const char* table) {
    switch (result.status) {
        case ImportStatus::Completed:
            std::cout << table << ": " << result.records_taken << " records imported from "
                      << workbook << "\n";
            return 0;
        case ImportStatus::Unreadable:
            std::cerr << "fenwarp-cli: cannot read workbook: " << result.reason << "\n";
            break;
        case ImportStatus::SheetMissing:
            std::cerr << "fenwarp-cli: " << workbook << ": " << result.reason << "\n";
            break;
        case ImportStatus::Stopped:
            std::cerr << "fenwarp-cli: " << workbook << ": import stopped at " << result.reason
                      << "\n";
            break;
    }
    std::cerr << "fenwarp-cli: " << table << ".xml left unchanged\n";
    return 1;
}

}  // namespace

int run_export(const Args& args, StderrMessages& messages) {
    if (args.size() != 2) {
        std::cerr << "Usage: fenwarp-cli export PROJECT TABLE\n";
        return 2;
    }
    const TableCommands* table = table_arg(args[1]);
    if (table == nullptr) return 2;
    const ProjectContext context = project_context(args[0]);
    if (!table->export_csv(context, messages)) {
        std::cerr << "fenwarp-cli: " << table->name << ".xml cannot be read; nothing exported\n";
        return 1;
    }
    std::cout << csv_path(context.project_dir, table->name).string() << "\n";
    return 0;
}

int run_import(const Args& args, StderrMessages& messages) {
    if (args.size() != 3) {
        std::cerr << "Usage: fenwarp-cli import PROJECT TABLE WORKBOOK\n";
        return 2;
    }
    const TableCommands* table = table_arg(args[1]);
    if (table == nullptr) return 2;
    const ProjectContext context = project_context(args[0]);
    ImportResult result;
    if (!table->import(context, args[2], messages, result)) {
        std::cerr << "fenwarp-cli: " << table->name << ".xml cannot be read; nothing imported\n";
        return 1;
    }
    return report(result, args[2], table->name);
}

}  // namespace fenwarp::cli
