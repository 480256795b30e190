#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace fenwarp {

// The five configuration banks the gateway reads from flash.
struct BankImages {
    static constexpr std::size_t bank_size = 16384;
    static constexpr std::size_t bank_count = 5;
    using Bank = std::array<std::uint8_t, bank_size>;

    std::array<Bank, bank_count> banks{};

    // Bank n, counted from 1 as the device does.
    Bank& bank(int n) { return banks.at(static_cast<std::size_t>(n - 1)); }
    const Bank& bank(int n) const { return banks.at(static_cast<std::size_t>(n - 1)); }
    void clear() { banks = {}; }
};

}  // namespace fenwarp
