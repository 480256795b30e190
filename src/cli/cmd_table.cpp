#include <iostream>
#include <memory>

#include "cli/command_list.h"
#include "cli/project_arg.h"
#include "cli/table_registry.h"
#include "core/documents/csv_export.h"
#include "core/documents/workbook/workbook_export.h"

namespace fenwarp::cli {

namespace {

std::unique_ptr<TableEditor> table_arg(const std::string& name) {
    std::unique_ptr<TableEditor> editor = table_editor(name);
    if (editor == nullptr) {
        std::cerr << "fenwarp-cli: unknown table '" << name << "' (tables: " << table_names()
                  << ")\n";
    }
    return editor;
}

// Loads the table's document. False, with the editor's messages on stderr,
// when it could not be taken whole, so that it is never exported or
// overwritten in part. A missing document is an empty table.
bool load(TableEditor& editor, const ProjectContext& context, Messages& messages) {
    MessageRecorder recorder;
    const LoadResult loaded = editor.load(context.document_path(editor.table()), recorder);
    if (loaded.status == LoadStatus::Missing) return true;
    for (const std::string& text : recorder.texts) messages.show(text, MessageKind::Error);
    if (loaded.dropped > 0) {
        std::cerr << "fenwarp-cli: " << editor.table().document << ": " << loaded.dropped
                  << " records could not be placed\n";
    }
    return loaded.status == LoadStatus::Loaded && loaded.dropped == 0;
}

// Unlike the dialog, the command names every record it skipped and says why
// an import did not complete.
int report(const ImportResult& result, const std::string& workbook, const char* table) {
    for (const SkippedRecord& skipped : result.skipped) {
        std::cerr << "fenwarp-cli: warning: " << workbook << ": record " << skipped.record
                  << " (sheet row " << skipped.record + 1 << ") skipped: " << skipped.reason
                  << "\n";
    }
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
        case ImportStatus::NoRecords:
        case ImportStatus::RefusedCell:
            std::cerr << "fenwarp-cli: " << workbook << ": " << result.reason << "\n";
            break;
    }
    std::cerr << "fenwarp-cli: " << table << ".xml left unchanged\n";
    return 1;
}

}  // namespace

int run_export(const Args& args, StderrMessages& messages) {
    const bool xlsx = args.size() == 3 && args[2] == "--xlsx";
    if (args.size() != 2 && !xlsx) {
        std::cerr << "Usage: fenwarp-cli export PROJECT TABLE [--xlsx]\n";
        return 2;
    }
    std::unique_ptr<TableEditor> editor = table_arg(args[1]);
    if (editor == nullptr) return 2;
    const ProjectContext context = project_context(args[0]);
    const char* name = editor->table().base_name;
    if (!load(*editor, context, messages)) {
        std::cerr << "fenwarp-cli: " << editor->table().document
                  << " cannot be read; nothing exported\n";
        return 1;
    }
    if (xlsx) {
        editor->export_xlsx(context.project_dir);
        std::cout << workbook_path(context.project_dir, name).string() << "\n";
        return 0;
    }
    editor->export_csv(context.project_dir);
    std::cout << csv_path(context.project_dir, name).string() << "\n";
    return 0;
}

int run_import(const Args& args, StderrMessages& messages) {
    if (args.size() != 3) {
        std::cerr << "Usage: fenwarp-cli import PROJECT TABLE WORKBOOK\n";
        return 2;
    }
    std::unique_ptr<TableEditor> editor = table_arg(args[1]);
    if (editor == nullptr) return 2;
    const ProjectContext context = project_context(args[0]);
    if (!load(*editor, context, messages)) {
        std::cerr << "fenwarp-cli: " << editor->table().document
                  << " cannot be read; nothing imported\n";
        return 1;
    }
    WorkbookAccess access;
    const ImportResult result = editor->import_workbook(args[2], access);
    if (result.status == ImportStatus::Completed) {
        editor->save_document(context.document_path(editor->table()));
    }
    return report(result, args[2], editor->table().base_name);
}

}  // namespace fenwarp::cli
