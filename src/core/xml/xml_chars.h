#pragma once

namespace fenwarp::xml_chars {

// The parser's character classes, over single bytes.
inline bool is_white_space(char c) {
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

inline bool is_name_start(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
}

inline bool is_name_char(char c) {
    return is_name_start(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           static_cast<unsigned char>(c) == 0xB7;
}

}  // namespace fenwarp::xml_chars
