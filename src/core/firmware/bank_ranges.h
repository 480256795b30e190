#pragma once

#include <cstddef>
#include <cstdint>

namespace fenwarp {

// Where the five configuration banks lie in the device's address space, and
// how a bank is cut into S2 records.
struct BankRanges {
    static constexpr int count = 5;
    static constexpr std::uint32_t size = 0x4000;
    static constexpr std::uint32_t first_bank_address = 0x388000;
    static constexpr std::uint32_t spacing = 0x10000;
    static constexpr std::size_t record_bytes = 32;
    static constexpr std::size_t records_per_bank = size / record_bytes;

    // First address of bank k, counted from 1.
    static constexpr std::uint32_t first(int k) {
        return first_bank_address + spacing * static_cast<std::uint32_t>(k - 1);
    }
    static constexpr bool contains(int k, std::uint32_t address) {
        return address >= first(k) && address - first(k) < size;
    }
};

}  // namespace fenwarp
