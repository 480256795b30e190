#include "core/shell/new_project.h"

#include <system_error>

namespace fenwarp {

namespace fs = std::filesystem;

bool is_single_folder_name(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

NewProjectOutcome NewProject::ok(const std::string& text, Workspace& workspace, const Seeder& seed,
                                 Messages& messages) {
    typed_name = text;  // exactly as typed, surrounding blanks included
    bool may_close = true;
    if (destination.empty()) {
        messages.show("directory destination not valid");
        may_close = false;
    }
    // A name that is not one folder name would create the project elsewhere.
    if (!is_single_folder_name(typed_name)) {
        messages.show("Name project not valid");
        may_close = false;
    }
    if (!may_close) return NewProjectOutcome::Refused;

    const fs::path folder = destination / fs::path(typed_name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder, ec))) {
        messages.show("Name project not valid because directory already exists");
        return NewProjectOutcome::Refused;
    }
    if (!fs::create_directory(folder, ec) || ec) return NewProjectOutcome::FolderNotCreated;
    fs::create_directories(folder / "bin", ec);  // a missing bin shows when banks are written

    workspace.set_project(typed_name, folder);
    if (ProjectContext::board_variant == 2) seed(workspace.context());
    return NewProjectOutcome::Created;
}

}  // namespace fenwarp
