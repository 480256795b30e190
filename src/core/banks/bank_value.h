#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/messages.h"

namespace fenwarp {

inline constexpr const char* conversion_error_message = "Error in conversion string";

// The value a bank field gets from its text: empty gives 65535 silently; else
// the text is trimmed and converted, and its low 16 bits are kept. A text that
// does not convert is reported and also gives 65535, so the compile goes on.
std::uint16_t bank_value(std::string_view text, Messages& messages);

// The whole number a field's text holds, trimmed as the compile trims it,
// before the compile keeps its low 16 bits; nothing for an empty text or one
// that does not convert.
std::optional<std::int32_t> bank_number(std::string_view text);

}  // namespace fenwarp
