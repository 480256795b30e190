// The SDO access table on the command line.
#include "cli/table_registry.h"
#include "core/documents/sdo/sdo_editor.h"

namespace fenwarp::cli {

namespace {

// Loads sdo.xml; false when the editor reported anything, so that a document
// it could not take whole is never exported or overwritten.
bool load(SdoEditor& editor, const ProjectContext& context, Messages& messages) {
    MessageRecorder recorder;
    editor.load(context.documents.sdo, recorder);
    for (const std::string& text : recorder.texts) messages.show(text, MessageKind::Error);
    return recorder.texts.empty();
}

bool export_sdo(const ProjectContext& context, Messages& messages) {
    SdoEditor editor;
    if (!load(editor, context, messages)) return false;
    editor.export_csv(context.project_dir);
    return true;
}

bool import_sdo(const ProjectContext& context, const std::filesystem::path& workbook,
                Messages& messages, ImportResult& result) {
    SdoEditor editor;
    if (!load(editor, context, messages)) return false;
    WorkbookAccess access;
    result = editor.import_workbook(workbook, access);
    if (result.status == ImportStatus::Completed) editor.save_document(context.documents.sdo);
    return true;
}

}  // namespace

TableCommands sdo_table_commands() {
    return {"sdo", &export_sdo, &import_sdo};
}

}  // namespace fenwarp::cli
