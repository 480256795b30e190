#pragma once

#include <string_view>

#include "core/shell/help/rich_text.h"

namespace fenwarp {

// True when the bytes start as an RTF document ("{\rtf").
bool looks_like_rtf(std::string_view bytes);

// Reads the RTF that help files are written in into formatted text: groups,
// \par, \line, \tab, \b, \i, \ul, \fs, \plain, \u with its fallback (\uc),
// \'hh escapes in the Windows-1252 code page, the usual typographic symbols,
// and table cells and rows as tabs and paragraphs. Destinations that hold no
// text (\fonttbl, \colortbl, \stylesheet, \info, \pict, any \*, ...) are
// skipped; every other control word is dropped, so no control word ever
// reaches the viewer. Unbalanced or cut-off input gives what was read.
RichText read_rtf(std::string_view rtf);

}  // namespace fenwarp
