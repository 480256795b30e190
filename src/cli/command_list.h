#pragma once

#include "cli/commands.h"

namespace fenwarp::cli {

int run_export(const Args& args, StderrMessages& messages);   // cmd_table.cpp
int run_import(const Args& args, StderrMessages& messages);   // cmd_table.cpp
int run_compile(const Args& args, StderrMessages& messages);  // cmd_compile.cpp
int run_patch(const Args& args, StderrMessages& messages);    // cmd_firmware.cpp
int run_update(const Args& args, StderrMessages& messages);   // cmd_firmware.cpp
int run_log(const Args& args, StderrMessages& messages);      // cmd_firmware.cpp
int run_new(const Args& args, StderrMessages& messages);      // cmd_new.cpp
int run_decode(const Args& args, StderrMessages& messages);   // cmd_decode.cpp
int run_diff(const Args& args, StderrMessages& messages);     // cmd_decode.cpp
int run_check(const Args& args, StderrMessages& messages);    // cmd_check.cpp

int run_xml_tree(const Args& args, StderrMessages& messages);  // cmd_xml_tree.cpp

}  // namespace fenwarp::cli
