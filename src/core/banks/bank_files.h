#pragma once

#include <filesystem>

#include "core/banks/bank_images.h"

namespace fenwarp {

// Writes "bank1.bin" to "bank5.bin" into the project's "bin" folder; a file
// that cannot be written is skipped silently, the others are still written.
void write_bank_files(const BankImages& images, const std::filesystem::path& project_dir);

// Writes the C listing "bankg.c" of banks 1 and 2 into the "bin" folder;
// throws Error naming the file and the system's reason on failure.
void write_bank_listing(const BankImages& images, const std::filesystem::path& project_dir);

}  // namespace fenwarp
