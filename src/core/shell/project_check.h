#pragma once

#include <filesystem>

#include "core/messages.h"

namespace fenwarp {

inline constexpr const char* project_not_valid_message = "Project not valid";

// A project directory that operations may read and write: not empty (an
// empty one would put the project's files at the root of the file system)
// and an existing folder.
bool project_dir_usable(const std::filesystem::path& project_dir);

// Shows "Project not valid" and answers false when the project directory is
// not usable; the caller then touches nothing.
bool require_project(const std::filesystem::path& project_dir, Messages& messages);

}  // namespace fenwarp
