// fenwarp-cli: the gateway configuration tool for batch and automated use.
#include <exception>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/project_arg.h"

namespace {

void print_help() {
    std::cout << "Usage: fenwarp-cli COMMAND ARGS...\n\n"
                 "PROJECT is the name of a project under the PROJECTS folder beside this program\n"
                 "and nothing else, or a path beginning with ./, ../ or / to a project folder\n"
                 "(one holding a project document or a bin folder). Nothing is written outside\n"
                 "the project folder and the program folder.\n\nCommands:\n";
    for (const auto& command : fenwarp::cli::commands()) {
        std::cout << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    std::cout << "  --help\n      Shows this text.\n\n"
                 "Exit status: 0 done; 1 not done, the reason on stderr (a PROJECT naming no\n"
                 "project folder among them); 2 wrong words (an empty PROJECT, a name holding\n"
                 "a / or \\, \".\" or \"..\", a path to the file system's root).\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") {
        print_help();
        return argc < 2 ? 2 : 0;
    }
    const std::string name = argv[1];
    fenwarp::cli::Args args(argv + 2, argv + argc);
    for (const auto& command : fenwarp::cli::commands()) {
        if (name != command.name) continue;
        fenwarp::cli::StderrMessages messages;
        try {
            return command.run(args, messages);
        } catch (const fenwarp::cli::UsageError& e) {
            std::cerr << "fenwarp-cli: " << e.what() << " (see --help)\n";
            return 2;
        } catch (const std::exception& e) {
            std::cerr << "fenwarp-cli: " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "fenwarp-cli: unknown command '" << name << "' (see --help)\n";
    return 2;
}
