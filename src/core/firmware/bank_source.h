#pragma once

#include <filesystem>

#include "core/banks/bank_images.h"

namespace fenwarp {

// The banks as a device would get them, from a "bin" folder holding
// "bank1.bin" to "bank5.bin" or from a patched S-record image. The banks that
// hold tables (1 and 2) must be there whole: a bank file of exactly 16384
// bytes, or image records covering the bank's whole range. The other banks
// are read where present and are zero otherwise. Anything else throws Error
// naming the file and what is wrong.
BankImages read_bank_source(const std::filesystem::path& folder_or_image);

}  // namespace fenwarp
