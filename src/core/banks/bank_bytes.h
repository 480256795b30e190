#pragma once

#include <cstddef>
#include <cstdint>

#include "core/banks/bank_images.h"

namespace fenwarp {

// The gateway reads two-byte values high byte first.
inline void put_bytes(std::uint8_t* out, std::uint16_t value, std::size_t width) {
    if (width == 2) {
        out[0] = static_cast<std::uint8_t>(value >> 8);
        out[1] = static_cast<std::uint8_t>(value & 0xFF);
    } else {
        out[0] = static_cast<std::uint8_t>(value & 0xFF);
    }
}

// The value put_bytes stored.
inline std::uint16_t get_bytes(const std::uint8_t* in, std::size_t width) {
    return width == 2 ? static_cast<std::uint16_t>(in[0] << 8 | in[1]) : in[0];
}

inline void put_u16(BankImages::Bank& bank, std::size_t offset, std::uint16_t value) {
    put_bytes(bank.data() + offset, value, 2);
}

}  // namespace fenwarp
