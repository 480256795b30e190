#include <iostream>

#include "cli/command_list.h"
#include "cli/project_arg.h"
#include "core/shell/project_seed.h"
#include "core/shell/session.h"

namespace fenwarp::cli {

// The new-project dialog's OK without the dialog: the same checks and
// messages, and documents seeded from editors that hold their start values.
int run_new(const Args& args, StderrMessages& messages) {
    if (args.size() != 1) {
        std::cerr << "Usage: fenwarp-cli new NAME\n";
        return 2;
    }
    Session session(program_folder());
    session.new_project.destination = session.context().projects_dir;
    const NewProjectOutcome outcome = session.new_project.ok(
        args[0], session.workspace,
        [&session](const ProjectContext& context) { seed_project(session, context); }, messages);
    switch (outcome) {
        case NewProjectOutcome::Created:
            std::cout << "Project created: " << session.context().project_dir.string() << "\n";
            return 0;
        case NewProjectOutcome::FolderNotCreated:
            std::cerr << "fenwarp-cli: the folder " << args[0] << " could not be created in "
                      << session.context().projects_dir.string() << "\n";
            return 1;
        case NewProjectOutcome::Refused:
            break;
    }
    return 1;
}

}  // namespace fenwarp::cli
