#include "core/int_text.h"

#include <limits>

namespace fenwarp {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

std::optional<std::uint32_t> parse_hex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        int d = hex_digit(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

std::optional<std::int64_t> parse_decimal(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{1} << 31) return std::nullopt;
    }
    return value;
}

std::string_view hex_digits(std::string_view text) {
    for (std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
        if (text.starts_with(prefix)) return text.substr(prefix.size());
    }
    return {};
}

}  // namespace

std::optional<std::int32_t> to_int(std::string_view text) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return std::nullopt;
    text.remove_prefix(start);

    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    std::int64_t value = 0;
    if (std::string_view hex = hex_digits(text); hex.data() != nullptr) {
        auto bits = parse_hex(hex);
        if (!bits) return std::nullopt;
        value = static_cast<std::int32_t>(*bits);
    } else {
        auto decimal = parse_decimal(text);
        if (!decimal) return std::nullopt;
        value = *decimal;
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace fenwarp
