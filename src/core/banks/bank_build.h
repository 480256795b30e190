#pragma once

#include <filesystem>

#include "core/banks/bank_images.h"
#include "core/messages.h"

namespace fenwarp {

// The bank half of Update Device: compile, then the five bank files and the
// listing. Returns false when the compile stopped and nothing was written.
bool build_banks(const std::filesystem::path& project_dir, BankImages& images, Messages& messages);

}  // namespace fenwarp
