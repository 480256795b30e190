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

// Writes the bytes beside the target first and then renames them over it, so
// a failed write leaves the old file whole and never a truncated one. Throws
// Error naming the file and the system's reason.
void write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace fenwarp
