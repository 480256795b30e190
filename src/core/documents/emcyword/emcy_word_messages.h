#pragma once

#include <string>

namespace fenwarp::emcy_word_messages {

// A word key with an empty text, or the key of another word of the page.
inline constexpr const char* index_not_valid = "Index Not Valid";

// The standard text of a failed integer conversion.
inline std::string not_integer(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

}  // namespace fenwarp::emcy_word_messages
