#include "core/banks/bank_value.h"

#include "core/int_text.h"

namespace fenwarp {
namespace {

constexpr std::uint16_t all_bits = 0xFFFF;

// Blanks and control characters: every code up to 32.
bool is_trimmed(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_trimmed(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_trimmed(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::int32_t> bank_number(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return to_int(trim(text));
}

std::uint16_t bank_value(std::string_view text, Messages& messages) {
    if (text.empty()) return all_bits;
    std::optional<std::int32_t> value = bank_number(text);
    if (!value) {
        messages.show(conversion_error_message);
        return all_bits;
    }
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(*value) & 0xFFFF);
}

}  // namespace fenwarp
