#pragma once

#include <string>
#include <string_view>

namespace fenwarp {

// .xlsx texts write a character XML cannot hold, such as a carriage return,
// as "_xHHHH_" (its UTF-16 code in hexadecimal), and a literal "_xHHHH_" with
// its first "_" written so ("_x005F_xHHHH_"). Excel and LibreOffice read them
// back so; the reader does too.
std::string decode_xstring(std::string_view text);

// What the export hands to libxlsxwriter, which escapes the characters XML
// cannot hold but not a literal "_xHHHH_": such a sequence gets its "_"
// escaped, so that it reads back as typed.
std::string escape_literal_xstrings(std::string_view text);

}  // namespace fenwarp
