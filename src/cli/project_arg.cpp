#include "cli/project_arg.h"

#include <system_error>

#include "core/error.h"

namespace fenwarp::cli {

std::filesystem::path program_folder() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return self.parent_path();
}

ProjectContext project_context(const std::string& project) {
    ProjectContext context;
    context.exe_dir = program_folder();
    context.template_dir = context.exe_dir / "MASTER";
    context.projects_dir = context.exe_dir / "PROJECTS";
    std::error_code ec;
    std::filesystem::path dir = project;
    if (!std::filesystem::is_directory(dir, ec)) dir = context.projects_dir / project;
    if (!std::filesystem::is_directory(dir, ec)) {
        throw Error("Project folder not found: " + project);
    }
    context.project_dir = std::filesystem::absolute(dir).lexically_normal();
    if (context.project_dir.has_filename() == false) {
        context.project_dir = context.project_dir.parent_path();
    }
    context.project_name = context.project_dir.filename().string();
    context.derive_document_paths();
    return context;
}

}  // namespace fenwarp::cli
