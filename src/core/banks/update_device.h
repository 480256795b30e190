#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/banks/bank_files.h"
#include "core/banks/bank_images.h"
#include "core/banks/table_directory.h"
#include "core/messages.h"

namespace fenwarp {

// What the bank half of Update Device did.
struct UpdateDeviceResult {
    bool project_valid = false;
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
// project, compiles its six documents into the bank images, then writes the
// five bank files and the listing into its "bin" folder. A file not written
// is named in a message of its own. An unreadable document throws Error
// before anything is written.
UpdateDeviceResult update_device(const std::filesystem::path& project_dir, BankImages& images,
                                 Messages& messages);

}  // namespace fenwarp
