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

namespace {

bool starts_with(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool explicit_path(const std::string& project) {
    if (starts_with(project, "./") || starts_with(project, "../") || starts_with(project, "/")) {
        return true;
    }
#ifdef _WIN32
    if (starts_with(project, ".\\") || starts_with(project, "..\\") || starts_with(project, "\\")) {
        return true;
    }
    if (std::filesystem::path(project).has_root_name()) return true;
#endif
    return false;
}

// A project folder holds at least one of the six documents or a "bin" folder.
bool holds_a_project(ProjectContext& context) {
    context.derive_document_paths();
    const DocumentPaths& d = context.documents;
    std::error_code ec;
    for (const auto* document :
         {&d.pargen, &d.sdo, &d.emcydef, &d.emcyword, &d.rpdodef, &d.sdopdo}) {
        if (std::filesystem::exists(*document, ec)) return true;
    }
    return std::filesystem::is_directory(context.project_dir / "bin", ec);
}

std::filesystem::path explicit_folder(const std::string& project) {
    std::error_code ec;
    if (!std::filesystem::is_directory(project, ec)) {
        throw Error("Project folder not found: " + project);
    }
    std::filesystem::path folder = std::filesystem::canonical(project, ec);
    if (ec) throw Error("Project folder not found: " + project);
    if (folder == folder.root_path()) {
        throw UsageError("the file system's root is no project folder: " + project);
    }
    return folder;
}

std::filesystem::path named_folder(const ProjectContext& context, const std::string& project) {
    if (project == "." || project == ".." || project.find_first_of("/\\") != std::string::npos) {
        throw UsageError(
            "a project name holds no folder separator and is not \".\" or \"..\"; "
            "write a path as ./" +
            project + " to mean a folder: " + project);
    }
    const std::filesystem::path folder = context.projects_dir / project;
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        throw Error("Project not found in " + context.projects_dir.string() + ": " + project);
    }
    return folder;
}

}  // namespace

ProjectContext project_context(const std::string& project) {
    if (project.empty()) throw UsageError("the project name is empty");
    ProjectContext context;
    context.exe_dir = program_folder();
    context.template_dir = context.exe_dir / "MASTER";
    context.projects_dir = context.exe_dir / "PROJECTS";
    if (explicit_path(project)) {
        context.project_dir = explicit_folder(project);
        if (!holds_a_project(context)) {
            throw Error("Not a project folder (no project document and no bin folder): " + project);
        }
    } else {
        context.project_dir = named_folder(context, project);
    }
    context.project_name = context.project_dir.filename().string();
    context.derive_document_paths();
    return context;
}

}  // namespace fenwarp::cli
