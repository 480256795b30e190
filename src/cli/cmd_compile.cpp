#include <iostream>

#include "cli/command_list.h"

namespace fenwarp::cli {

int run_compile(const Args&, StderrMessages&) {
    std::cerr << "fenwarp-cli: compile is not available yet\n";
    return 2;
}

}  // namespace fenwarp::cli
