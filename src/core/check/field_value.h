#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fenwarp {

// A field's text as the compile reads it: trimmed and converted by the same
// conversion, an empty text giving all bits set.
struct FieldValue {
    std::string text;
    std::optional<std::int32_t> number;  // nothing when empty or not converting

    bool empty() const { return text.empty(); }
    bool converts() const { return empty() || number.has_value(); }
    // The value before the compile cuts it to its field: 65535 for an empty
    // text or one that does not convert, as the compile packs them.
    std::int64_t value() const { return number ? *number : 0xFFFF; }
    // The low 16 bits, as the compile keeps them.
    std::uint16_t packed() const { return static_cast<std::uint16_t>(value() & 0xFFFF); }
};

FieldValue field_value(std::string_view text);

// "0x2000" for numbers shown in reasons.
std::string hex(std::uint32_t value);

// The largest value a field of that many bytes holds.
inline std::int64_t field_max(std::size_t width) {
    return width == 2 ? 0xFFFF : 0xFF;
}

}  // namespace fenwarp
