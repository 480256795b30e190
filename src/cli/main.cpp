// fenwarp-cli: the gateway configuration tool for batch and automated use.
#include <exception>
#include <iostream>
#include <string>

#include "cli/commands.h"

namespace {

void print_help() {
    std::cout << "Usage: fenwarp-cli COMMAND ARGS...\n\n"
                 "PROJECT is a project folder, or the name of one under the PROJECTS folder\n"
                 "beside this program.\n\nCommands:\n";
    for (const auto& command : fenwarp::cli::commands()) {
        std::cout << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    std::cout << "  --help\n      Shows this text.\n";
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
        } catch (const std::exception& e) {
            std::cerr << "fenwarp-cli: " << e.what() << "\n";
            return 1;
        }
    }
    std::cerr << "fenwarp-cli: unknown command '" << name << "' (see --help)\n";
    return 2;
}
