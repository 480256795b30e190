#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fenwarp {

// The text a character reference stands for, given what lies between "&" and
// ";": "#x" and hexadecimal digits or "#" and decimal digits give the
// character with that code in UTF-8; amp, lt, gt, quot and apos give their
// character. Throws XmlParseError for a number that does not convert or names
// no character (0, a surrogate, above 0x10FFFF) and for any other name.
std::string resolve_reference(std::string_view text);

// The UTF-8 bytes of a code point; nothing for 0, surrogates and codes above
// 0x10FFFF, which name no character a document may hold.
std::optional<std::string> utf8_of(unsigned long code);

}  // namespace fenwarp
