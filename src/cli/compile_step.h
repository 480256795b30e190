#pragma once

#include <ostream>

#include "cli/commands.h"
#include "core/banks/bank_images.h"
#include "core/banks/update_device.h"
#include "core/shell/project_context.h"

namespace fenwarp::cli {

// Compiles the project and writes the five bank files and bankg.c, printing
// the table directory and the files written. Returns 0 only when the compile
// completed without any message and every file was written, so that a script
// never patches doubtful or stale banks into a device's image. The check's
// findings go to stderr; when the answer does not cover them nothing is compiled.
int compile_project(const ProjectContext& context, BankImages& images, StderrMessages& messages,
                    CheckAnswer answer);

// One line a finding.
void print_findings(const CheckReport& report, std::ostream& out);

}  // namespace fenwarp::cli
