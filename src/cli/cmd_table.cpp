#include <iostream>

#include "cli/command_list.h"

namespace fenwarp::cli {

int run_export(const Args&, StderrMessages&) {
    std::cerr << "fenwarp-cli: export is not available yet\n";
    return 2;
}

int run_import(const Args&, StderrMessages&) {
    std::cerr << "fenwarp-cli: import is not available yet\n";
    return 2;
}

}  // namespace fenwarp::cli
