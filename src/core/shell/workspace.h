#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/shell/project_context.h"

namespace fenwarp {

// The program folder and the current project: start-up, Open project, close.
class Workspace {
  public:
    static constexpr const char* design_caption = "Velmora Fenwarp KR40583 Tandrel";
    static constexpr const char* caption_prefix = "Velmora Fenwarp KR40583 Tandrel :";
    static constexpr const char* ini_name = "Fenwarp_Brax.ini";

    // Start-up: fixes the directories beside the program, creating "MASTER" and
    // "PROJECTS" when missing, and restores the remembered project.
    explicit Workspace(const std::filesystem::path& exe_dir);

    ProjectContext& context() { return context_; }
    const ProjectContext& context() const { return context_; }

    // Before the folder picker opens: a project folder that vanished is
    // forgotten. Returns the folder to preselect.
    std::filesystem::path prepare_open();

    // After the picker: the chosen folder, or nothing when cancelled. The name
    // is the folder's path less the projects directory, whatever the outcome.
    void open_project(const std::optional<std::filesystem::path>& chosen);

    // Makes a just-created project current (new project).
    void set_project(const std::string& name, const std::filesystem::path& dir);

    // The bare prefix after a cancelled new project.
    void show_bare_prefix() { caption_ = caption_prefix; }

    // The project's folder exists and can hold documents.
    bool project_valid() const { return !context_.project_dir.empty(); }

    std::string caption() const { return caption_; }
    std::filesystem::path ini_path() const { return context_.exe_dir / ini_name; }

    // Closing the main window: remembers the project name, empty or not.
    void close() const;

  private:
    void restore_last_project();

    ProjectContext context_;
    std::string caption_ = design_caption;
};

}  // namespace fenwarp
