#include "cli/commands.h"

#include <iostream>

#include "cli/command_list.h"
#include "cli/table_registry.h"

namespace fenwarp::cli {

void StderrMessages::show(const std::string& text, MessageKind kind) {
    std::cerr << (kind == MessageKind::Error ? "error: " : "") << text << "\n";
    ++count;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"new", "new NAME",
         "Creates the project NAME under PROJECTS with its bin folder and six documents: the\n"
         "      communication settings at their start values and the five tables empty.",
         &run_new},
        {"export", "export PROJECT TABLE [--xlsx]",
         "Writes TABLE as TABLE.csv in the project folder, or with --xlsx as the workbook\n"
         "      TABLE.xlsx that import reads back. Tables: " +
             table_names() + ".",
         &run_export},
        {"import", "import PROJECT TABLE WORKBOOK",
         "Fills TABLE from the sheet of WORKBOOK (.xls, .xlsx or .ods) named after it (first\n"
         "      row: headings), then saves the document; leaves it untouched when the import does\n"
         "      not complete.",
         &run_import},
        {"compile", "compile PROJECT",
         "Compiles the six documents into bank1.bin to bank5.bin and bankg.c in PROJECT/bin and\n"
         "      prints the table directory; fails on any message. The check's findings are\n"
         "      printed but do not stop it.",
         &run_compile},
        {"patch", "patch PROJECT [--port N] [--launch]",
         "Patches banks 1 and 2 into MASTER/Brax_Traslate.sx as PROJECT/New_Brax_Traslate.sx;\n"
         "      --launch then starts Torquill.exe on COM N (1 to 8, default 1).",
         &run_patch},
        {"check", "check PROJECT",
         "Checks the six documents for CANopen mistakes the compile would pack silently and\n"
         "      prints each finding, then the room the tables take in banks 1 and 2; fails\n"
         "      when a finding is an error (warnings alone pass).",
         &run_check},
        {"update", "update PROJECT [--port N] [--launch] [--force]",
         "check, then compile, then patch when the compile ended without a message. Errors\n"
         "      of the check stop it before the compile unless --force is given.",
         &run_update},
        {"xml-tree", "xml-tree FILE",
         "Prints the tree the XML tree editor shows for FILE, two blanks of indent a level;\n"
         "      fails with the parser's message.",
         &run_xml_tree},
        {"log", "log PROJECT",
         "Prints PROJECT/update.log as a table, newest last: for each image made, the SHA-256\n"
         "      of the image, the template, the six documents and the five bank files.",
         &run_log},
        {"decode", "decode BIN_FOLDER|IMAGE [--xml DIR]",
         "Reads the banks back from a bin folder (bank1.bin ...) or a patched image and prints\n"
         "      the parameter block, the table directory and every table's records; --xml writes\n"
         "      them as the six documents of a new project in DIR (made when missing, with its\n"
         "      bin folder; it must hold none of the documents).",
         &run_decode},
        {"diff", "diff A B",
         "Compares two configurations, each a PROJECT (compiled in memory), a bin folder or an\n"
         "      image: parameters and records added, removed and changed, field by field.\n"
         "      Exit 0 when they hold the same values, 1 when they differ.",
         &run_diff},
    };
    return list;
}

}  // namespace fenwarp::cli
