#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/banks/bank_images.h"

namespace fenwarp {

// The project's "bin" folder, where the bank files and the listing go.
std::filesystem::path bin_folder(const std::filesystem::path& project_dir);

// "bank1.bin" to "bank5.bin": the file of bank n, written here and read by the patch.
std::string bank_file_name(int bank);
std::filesystem::path bank_file_path(const std::filesystem::path& project_dir, int bank);
std::filesystem::path bank_listing_path(const std::filesystem::path& project_dir);

// An output that could not be written, with the error that names it and says why.
struct FileNotWritten {
    std::filesystem::path path;
    std::string reason;
};

struct FilesWritten {
    std::vector<std::filesystem::path> written;
    std::vector<FileNotWritten> not_written;
};

// Writes "bank1.bin" to "bank5.bin" into the project's "bin" folder, each
// through a temporary file and a rename, so that a file is either the whole
// new bank or the old file as it was. Every file is tried regardless of the
// others; links, FIFOs and folders standing at a file's place are refused.
FilesWritten write_bank_files(const BankImages& images, const std::filesystem::path& project_dir);

// Writes the C listing "bankg.c" of banks 1 and 2 into the "bin" folder in
// the same way; throws Error naming the file and the system's reason.
void write_bank_listing(const BankImages& images, const std::filesystem::path& project_dir);

}  // namespace fenwarp
