#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace fenwarp {

// The first character of a UTF-8 text that XML 1.0 does not allow in a
// document (control characters other than tab, LF and CR, surrogates, U+FFFE
// and U+FFFF), as its code point; nothing when every character is allowed.
// Such a character cannot be written even as a reference: parsers refuse
// "&#1;".
std::optional<char32_t> forbidden_xml_character(std::string_view text);

}  // namespace fenwarp
