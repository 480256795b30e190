#include "cli/commands.h"

#include <iostream>

#include "cli/command_list.h"

namespace fenwarp::cli {

void StderrMessages::show(const std::string& text, MessageKind kind) {
    std::cerr << (kind == MessageKind::Error ? "error: " : "") << text << "\n";
    ++count;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"export", "export PROJECT TABLE", "Writes TABLE (sdo) as TABLE.csv in the project folder.",
         &run_export},
        {"import", "import PROJECT TABLE WORKBOOK",
         "Fills TABLE from the sheet of the .xls WORKBOOK named after it, then saves the document.",
         &run_import},
        {"compile", "compile PROJECT",
         "Compiles the six documents into the bank files and bankg.c in the project's bin folder.",
         &run_compile},
        {"patch", "patch PROJECT [--port N] [--launch]",
         "Patches banks 1 and 2 into the firmware template; --launch starts the flash writer.",
         &run_patch},
        {"update", "update PROJECT [--port N] [--launch]", "compile, then patch, in one go.",
         &run_update},
    };
    return list;
}

}  // namespace fenwarp::cli
