#pragma once

#include <cstdint>
#include <string>

namespace fenwarp {

// Appends the character with this Unicode code point as UTF-8; code points
// that UTF-8 cannot carry (surrogates, above 0x10FFFF) become U+FFFD.
void append_utf8(std::string& out, std::uint32_t code_point);

// The Unicode code point of a byte of the Windows-1252 code page, the code
// page of the RTF that help files are written in and of older text files.
std::uint32_t windows_1252(unsigned char byte);

}  // namespace fenwarp
