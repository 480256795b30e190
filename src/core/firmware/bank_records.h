#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/firmware/bank_ranges.h"

namespace fenwarp {

// The 512 S2 records of one bank of 16384 bytes, each followed by CR LF: 32
// data bytes a record, the first at the bank's first address.
std::string bank_records(std::span<const std::uint8_t, BankRanges::size> bank,
                         std::uint32_t first_address);

}  // namespace fenwarp
