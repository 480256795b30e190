#pragma once

#include <string>
#include <string_view>

namespace fenwarp {

// The text with A to Z made lower case; other bytes, UTF-8 ones included, stay.
inline std::string lower_case(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

}  // namespace fenwarp
