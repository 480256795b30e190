#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace fenwarp {

// Writes pargen.xml: the nine elements in their fixed order, each holding its
// text. Throws Error when the file cannot be written.
void write_pargen_document(const std::filesystem::path& file,
                           const std::array<std::string, 9>& values);

}  // namespace fenwarp
