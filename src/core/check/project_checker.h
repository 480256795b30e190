#pragma once

#include <filesystem>

#include "core/check/check_report.h"

namespace fenwarp {

// Checks the six documents of a project for CANopen mistakes that the compile
// would pack without a word, and measures the room the tables take. Reads
// only; a missing document gives no finding (the compile reports it), an
// unreadable one throws Error naming it.
CheckReport check_project(const std::filesystem::path& project_dir);

}  // namespace fenwarp
