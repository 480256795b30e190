#include <iostream>

#include "cli/command_list.h"

namespace fenwarp::cli {

int run_patch(const Args&, StderrMessages&) {
    std::cerr << "fenwarp-cli: patch is not available yet\n";
    return 2;
}

int run_update(const Args&, StderrMessages&) {
    std::cerr << "fenwarp-cli: update is not available yet\n";
    return 2;
}

}  // namespace fenwarp::cli
