#include "core/documents/workbook/xstring_escape.h"

#include <cstdint>
#include <optional>

#include "core/int_text.h"
#include "core/text/utf8.h"

namespace fenwarp {

namespace {

// The code of a "_xHHHH_" starting at `at`, or nothing.
std::optional<std::uint32_t> escape_at(std::string_view text, std::size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_') {
        return std::nullopt;
    }
    std::uint32_t code = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const int digit = hex_digit(text[i]);
        if (digit < 0) return std::nullopt;
        code = code << 4 | static_cast<std::uint32_t>(digit);
    }
    return code;
}

}  // namespace

std::string decode_xstring(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string decoded;
    std::size_t at = 0;
    while (at < text.size()) {
        std::optional<std::uint32_t> code = escape_at(text, at);
        if (!code) {
            decoded += text[at++];
            continue;
        }
        at += 7;
        // A character beyond the first plane comes as two escaped halves.
        std::optional<std::uint32_t> low;
        if (*code >= 0xD800 && *code < 0xDC00) low = escape_at(text, at);
        if (low && *low >= 0xDC00 && *low < 0xE000) {
            at += 7;
            append_utf8(decoded, 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00));
        } else {
            append_utf8(decoded, *code);
        }
    }
    return decoded;
}

std::string escape_literal_xstrings(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) return std::string(text);
    std::string escaped;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (escape_at(text, at)) escaped += "_x005F";
        escaped += text[at];
    }
    return escaped;
}

}  // namespace fenwarp
