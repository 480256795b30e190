#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fenwarp::xml_text {

// The first n characters (the whole text when it is shorter).
std::string left_part(std::string_view text, std::size_t n);
// The last n characters (the whole text when it is shorter).
std::string right_part(std::string_view text, std::size_t n);
// Removes blanks, and blanks only, at both ends.
std::string trim_blanks(std::string_view text);
// Removes the characters of `set` at both ends.
std::string trim_set(std::string_view text, std::string_view set);

}  // namespace fenwarp::xml_text
