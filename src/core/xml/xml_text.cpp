#include "core/xml/xml_text.h"

namespace fenwarp::xml_text {

std::string left_part(std::string_view text, std::size_t n) {
    return std::string(text.substr(0, n));
}

std::string right_part(std::string_view text, std::size_t n) {
    if (n >= text.size()) return std::string(text);
    return std::string(text.substr(text.size() - n));
}

std::string trim_blanks(std::string_view text) {
    return trim_set(text, " ");
}

std::string trim_set(std::string_view text, std::string_view set) {
    const std::size_t first = text.find_first_not_of(set);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(set);
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace fenwarp::xml_text
