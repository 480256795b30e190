#pragma once

#include <string>

#include "core/banks/bank_images.h"

namespace fenwarp {

// The C source of banks 1 and 2 as constant arrays in segment SEGMENT0: one
// row of 16 bytes a line, every line ending in CR LF. 235593 bytes whatever
// the banks hold.
std::string bank_listing(const BankImages& images);

}  // namespace fenwarp
