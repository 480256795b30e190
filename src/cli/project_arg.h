#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/shell/project_context.h"

namespace fenwarp::cli {

// A command's words are wrong: the program says why and exits with 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The project context of a command: the program folder is this program's own.
// PROJECT is either a bare name, meaning that folder under the PROJECTS folder
// beside the program and nothing else, or an explicit path beginning with
// "./", "../" or "/" (on Windows also ".\", "..\" or a drive) that names an
// existing project folder: one holding a project document or a "bin" folder.
// Throws UsageError for a PROJECT that can never name a project (empty, a bare
// name holding a separator, "." or "..", the file system's root) and Error for
// one that names no project folder.
ProjectContext project_context(const std::string& project);

// The folder this program runs from.
std::filesystem::path program_folder();

}  // namespace fenwarp::cli
