#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/messages.h"
#include "core/shell/workspace.h"

namespace fenwarp {

// What an OK of the new-project dialog did.
enum class NewProjectOutcome {
    Created,           // folders made, project current, six documents written
    Refused,           // a check failed and said why; nothing was created
    FolderNotCreated,  // the system refused the folder; nothing was said
};

// State of the new-project dialog: the folder projects are created in and
// the name taken at the last OK.
class NewProject {
  public:
    std::filesystem::path destination;  // the main window sets the projects directory
    std::string typed_name;

    // Writes the six documents of the project the context now names, in
    // their seeding order; an error it throws ends the creation there.
    using Seeder = std::function<void(const ProjectContext&)>;

    // OK in new-project mode: checks the destination and the name (both
    // messages can appear), creates the folder and its "bin" subfolder, makes
    // the project current and seeds it. The dialog may close exactly when the
    // outcome is Created. An error while a document is written passes on,
    // leaving the folders and the new context in place.
    NewProjectOutcome ok(const std::string& text, Workspace& workspace, const Seeder& seed,
                         Messages& messages);
};

// A name that makes exactly one folder inside the destination: not empty, no
// "/" or "\" anywhere (on every platform), not "." or "..".
bool is_single_folder_name(const std::string& name);

}  // namespace fenwarp
