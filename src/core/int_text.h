#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fenwarp {

// Integer text conversion shared by every reader, ordering and the bank compiler:
// optional leading blanks, an optional sign, then decimal digits, or up to eight
// hexadecimal digits after "$", "x", "X", "0x" or "0X" taken as two's complement.
// Anything else, the empty text included, gives no value.
std::optional<std::int32_t> to_int(std::string_view text);

// The value of one hexadecimal digit, either case; -1 for any other character.
int hex_digit(char c);

}  // namespace fenwarp
