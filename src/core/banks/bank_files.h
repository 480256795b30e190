#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/banks/bank_images.h"

namespace fenwarp {

// "bank1.bin" to "bank5.bin" and "bankg.c" in the project's "bin" folder.
// The project's "bin" folder, where the bank files and the listing go.
std::filesystem::path bin_folder(const std::filesystem::path& project_dir);

// "bank1.bin" to "bank5.bin": the file of bank n, written here and read by the patch.
std::string bank_file_name(int bank);
std::filesystem::path bank_file_path(const std::filesystem::path& project_dir, int bank);
std::filesystem::path bank_listing_path(const std::filesystem::path& project_dir);

// Writes "bank1.bin" to "bank5.bin" into the project's "bin" folder; a file
// that cannot be written is skipped silently, the others are still written.
// Returns the files written whole.
std::vector<std::filesystem::path> write_bank_files(const BankImages& images,
                                                    const std::filesystem::path& project_dir);

// Writes the C listing "bankg.c" of banks 1 and 2 into the "bin" folder;
// throws Error naming the file and the system's reason on failure.
void write_bank_listing(const BankImages& images, const std::filesystem::path& project_dir);

}  // namespace fenwarp
