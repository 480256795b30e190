#include "core/shell/project_context.h"

namespace fenwarp {

std::filesystem::path join_path(const std::filesystem::path& dir, const std::string& name) {
    std::filesystem::path::string_type text = dir.native();
    if (text.empty() || text.back() != std::filesystem::path::preferred_separator) {
        text += std::filesystem::path::preferred_separator;
    }
    return std::filesystem::path(text) += std::filesystem::path(name).native();
}

void ProjectContext::derive_document_paths() {
    documents.pargen = join_path(project_dir, "pargen.xml");
    documents.sdo = join_path(project_dir, "sdo.xml");
    documents.emcydef = join_path(project_dir, "emcydef.xml");
    documents.emcyword = join_path(project_dir, "emcyword.xml");
    documents.rpdodef = join_path(project_dir, "rpdodef.xml");
    documents.sdopdo = join_path(project_dir, "sdopdo.xml");
}

}  // namespace fenwarp
