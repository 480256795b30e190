#include "core/shell/workspace.h"

#include <system_error>

#include "core/file_system.h"
#include "core/shell/ini_file.h"

namespace fenwarp {
namespace {

constexpr const char* ini_section = "lastproj";
constexpr const char* ini_key = "projectname";

void create_folder(const std::filesystem::path& dir) {
    std::error_code ignored;  // a folder that cannot be made fails later, where it is used
    std::filesystem::create_directory(dir, ignored);
}

bool starts_with_separator(const std::string& name) {
    return !name.empty() && (name.front() == '/' || name.front() == '\\');
}

// Open project records "<sep>name", New project the bare name: both are found.
std::filesystem::path remembered_folder(const std::filesystem::path& projects_dir,
                                        const std::string& name) {
    if (starts_with_separator(name)) {
        return std::filesystem::path(projects_dir.native() + std::filesystem::path(name).native())
            .make_preferred();
    }
    return projects_dir / name;
}

// A remembered name must lead to a folder below the projects directory, not
// to it or above it ("..").
bool below(const std::filesystem::path& folder, const std::filesystem::path& projects_dir) {
    const std::filesystem::path rest =
        folder.lexically_normal().lexically_relative(projects_dir.lexically_normal());
    return !rest.empty() && *rest.begin() != ".." && *rest.begin() != ".";
}

}  // namespace

Workspace::Workspace(const std::filesystem::path& exe_dir) {
    context_.exe_dir = exe_dir;
    context_.template_dir = exe_dir / "MASTER";
    create_folder(context_.template_dir);
    context_.projects_dir = exe_dir / "PROJECTS";
    create_folder(context_.projects_dir);
    restore_last_project();
    context_.derive_document_paths();
}

void Workspace::restore_last_project() {
    context_.project_name = IniFile(ini_path()).read_string(ini_section, ini_key, "");
    context_.project_dir = context_.projects_dir;
    if (context_.project_name.empty()) return;
    std::filesystem::path folder = remembered_folder(context_.projects_dir, context_.project_name);
    if (below(folder, context_.projects_dir) && is_folder(folder)) {
        context_.project_dir = folder;
        caption_ = caption_prefix + context_.project_name;
    } else {
        context_.project_name.clear();  // a project that is gone is forgotten
    }
}

std::filesystem::path Workspace::prepare_open() {
    if (!context_.project_dir.empty() && !is_folder(context_.project_dir)) {
        context_.project_dir.clear();
    }
    return context_.project_dir;
}

void Workspace::open_project(const std::optional<std::filesystem::path>& chosen) {
    if (chosen) context_.project_dir = *chosen;
    const auto& dir = context_.project_dir.native();
    const auto prefix = context_.projects_dir.native().size();
    context_.project_name =
        dir.size() > prefix ? std::filesystem::path(dir.substr(prefix)).string() : std::string();
    caption_ = caption_prefix + context_.project_name;
    context_.derive_document_paths();
}

void Workspace::set_project(const std::string& name, const std::filesystem::path& dir) {
    context_.project_name = name;
    context_.project_dir = dir;
    context_.derive_document_paths();
    caption_ = caption_prefix + name;
}

void Workspace::close() const {
    IniFile(ini_path()).write_string(ini_section, ini_key, context_.project_name);
}

}  // namespace fenwarp
