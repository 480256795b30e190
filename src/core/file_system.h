#pragma once

#include <filesystem>
#include <string_view>

namespace fenwarp {

// File tests that answer false instead of throwing: a path that cannot be
// examined is as good as absent for every caller.
bool is_file(const std::filesystem::path& path);
bool is_folder(const std::filesystem::path& path);

// Removes the file if it is there; a failure is left for the next step to meet.
void remove_quietly(const std::filesystem::path& path);

// The whole of a small output at once, through OutputFile: a failed write
// leaves the old file whole, and links and special files are refused.
void write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace fenwarp
