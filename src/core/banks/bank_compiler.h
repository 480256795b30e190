#pragma once

#include <filesystem>

#include "core/banks/bank_images.h"
#include "core/banks/table_directory.h"
#include "core/messages.h"

namespace fenwarp {

// What a compile leaves for Update Device.
struct CompileOutcome {
    // false: the compile stopped with a message (no communication parameters,
    // tables too large) and nothing may be written or sent to the device.
    bool complete = false;
    // The directory written at the end of bank 2; valid when complete.
    TableDirectory directory;
};

// Compiles the six documents of the project folder into the bank images,
// which it zeroes first. Missing documents and values that do not convert are
// reported through messages; an unreadable document throws Error.
CompileOutcome compile_banks(const std::filesystem::path& project_dir, BankImages& images,
                             Messages& messages);

}  // namespace fenwarp
