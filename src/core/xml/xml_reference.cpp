#include "core/xml/xml_reference.h"

#include <cstdint>

#include "core/text/utf8.h"
#include "core/xml/xml_parse_error.h"

namespace fenwarp {

namespace {

int digit_value(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The number of a numeric reference; nothing when a digit is wrong or missing.
// Values beyond any character are clamped, so long digit runs cannot overflow.
std::optional<unsigned long> reference_number(std::string_view digits, int base) {
    if (digits.empty()) return std::nullopt;
    constexpr unsigned long beyond = 0x110000;
    unsigned long value = 0;
    for (char c : digits) {
        const int digit = digit_value(c, base);
        if (digit < 0) return std::nullopt;
        value = value * static_cast<unsigned long>(base) + static_cast<unsigned long>(digit);
        if (value > beyond) value = beyond;
    }
    return value;
}

}  // namespace

std::optional<std::string> utf8_of(unsigned long code) {
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return std::nullopt;
    std::string bytes;
    append_utf8(bytes, static_cast<std::uint32_t>(code));
    return bytes;
}

std::string resolve_reference(std::string_view text) {
    if (!text.empty() && text.front() == '#') {
        const bool hex = text.size() > 1 && text[1] == 'x';
        const auto number = reference_number(text.substr(hex ? 2 : 1), hex ? 16 : 10);
        const auto bytes = number ? utf8_of(*number) : std::nullopt;
        if (!bytes) {
            throw XmlParseError("Invalid integer in reference &" + std::string(text) + ";");
        }
        return *bytes;
    }
    if (text == "amp") return "&";
    if (text == "lt") return "<";
    if (text == "gt") return ">";
    if (text == "quot") return "\"";
    if (text == "apos") return "'";
    throw XmlParseError("Unrecognized reference");
}

}  // namespace fenwarp
