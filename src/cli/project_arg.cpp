#include "cli/project_arg.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "core/error.h"

namespace fenwarp::cli {

std::filesystem::path program_folder() {
#ifdef _WIN32
    wchar_t buffer[32768];
    DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
    if (length == 0 || length == 32768) return std::filesystem::current_path();
    return std::filesystem::path(std::wstring(buffer, length)).parent_path();
#else
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return self.parent_path();
#endif
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
    if (!context.project_dir.has_filename())
        context.project_dir = context.project_dir.parent_path();
    context.project_name = context.project_dir.filename().string();
    context.derive_document_paths();
    return context;
}

}  // namespace fenwarp::cli
