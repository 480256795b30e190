#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/banks/bank_files.h"
#include "core/banks/bank_images.h"
#include "core/banks/table_directory.h"
#include "core/check/check_report.h"
#include "core/messages.h"

namespace fenwarp {

// What the user said to the check's findings. The view asks; the core only
// follows the answer it is given.
enum class CheckAnswer {
    NotAsked,      // stop at any finding, so that the view can show them and ask
    PastWarnings,  // go on past warnings, stop at errors
    UpdateAnyway,  // go on past every finding
};

// What the bank half of Update Device did.
struct UpdateDeviceResult {
    bool project_valid = false;
    CheckReport check;              // what the check found before the compile
    bool stopped_by_check = false;  // the answer did not cover the findings: nothing compiled
    // The compile ran to its end; false when it stopped with a message and
    // nothing was written.
    bool compiled = false;
    TableDirectory directory;  // valid when compiled
    std::vector<std::filesystem::path> written;
    std::vector<FileNotWritten> not_written;
    std::vector<std::string> messages;  // every message shown, in order

    // The five bank files and the listing all hold this compile: only then
    // may the banks go on to the firmware image.
    bool every_file_written() const { return compiled && not_written.empty(); }
};

// Update Device up to the firmware dialog, for every front end: checks the
// project, checks its documents for CANopen mistakes and stops there unless
// the answer covers what was found, compiles the six documents into the bank
// images, then writes the five bank files and the listing into its "bin" folder. A file not written
// is named in a message of its own. An unreadable document throws Error
// before anything is written.
UpdateDeviceResult update_device(const std::filesystem::path& project_dir, BankImages& images,
                                 Messages& messages, CheckAnswer answer);

// Whether the answer lets Update Device go on past the report's findings.
bool answer_covers(CheckAnswer answer, const CheckReport& report);

}  // namespace fenwarp
