#pragma once

#include <filesystem>
#include <string>

#include "core/shell/project_context.h"

namespace fenwarp::cli {

// The project context of a command: the program folder is this program's own,
// PROJECT is a project folder, or a name under its PROJECTS folder.
ProjectContext project_context(const std::string& project);

// The folder this program runs from.
std::filesystem::path program_folder();

}  // namespace fenwarp::cli
