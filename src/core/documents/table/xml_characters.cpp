#include "core/documents/table/xml_characters.h"

namespace fenwarp {

std::optional<char32_t> forbidden_xml_character(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') return byte;
        // U+D800 to U+DFFF are ED A0..BF xx; U+FFFE and U+FFFF are EF BF BE/BF.
        if (i + 2 < text.size() && byte == 0xED) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0xA0 && next <= 0xBF) {
                return static_cast<char32_t>(0xD000 | ((next & 0x3F) << 6) |
                                             (static_cast<unsigned char>(text[i + 2]) & 0x3F));
            }
        }
        if (i + 2 < text.size() && byte == 0xEF &&
            static_cast<unsigned char>(text[i + 1]) == 0xBF) {
            const auto last = static_cast<unsigned char>(text[i + 2]);
            if (last == 0xBE || last == 0xBF) return last == 0xBE ? U'\uFFFE' : U'\uFFFF';
        }
    }
    return std::nullopt;
}

}  // namespace fenwarp
