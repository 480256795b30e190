#include "core/shell/project_check.h"

#include "core/file_system.h"

namespace fenwarp {

bool project_dir_usable(const std::filesystem::path& project_dir) {
    return !project_dir.empty() && is_folder(project_dir);
}

bool require_project(const std::filesystem::path& project_dir, Messages& messages) {
    if (project_dir_usable(project_dir)) return true;
    messages.show(project_not_valid_message);
    return false;
}

}  // namespace fenwarp
