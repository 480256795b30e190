#include "core/shell/project_context.h"

#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

std::filesystem::path join_path(const std::filesystem::path& dir, const std::string& name) {
    std::filesystem::path::string_type text = dir.native();
    if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
        text += std::filesystem::path::preferred_separator;
    }
    return std::filesystem::path(text) += std::filesystem::path(name).native();
}

void ProjectContext::derive_document_paths() {
    documents.pargen = join_path(project_dir, pargen_document_name);
    documents.sdo = document_path(sdo_table());
    documents.emcydef = document_path(emcy_table());
    documents.emcyword = document_path(emcy_word_table());
    documents.rpdodef = document_path(pdo_table());
    documents.sdopdo = document_path(stored_pdo_table());
}

std::filesystem::path ProjectContext::document_path(const TableDescription& table) const {
    return join_path(project_dir, table.document);
}

}  // namespace fenwarp
