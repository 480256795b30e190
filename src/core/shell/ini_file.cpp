#include "core/shell/ini_file.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>
#include <vector>

#include "core/error.h"
#include "core/file_system.h"
#include "core/input_file.h"

namespace fenwarp {
namespace {

std::string trim(const std::string& text) {
    auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool same_name(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<std::string> section_name(const std::string& line) {
    std::string t = trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return trim(t.substr(1, t.size() - 2));
    return std::nullopt;
}

// The key of a "key=value" line, or nothing for comments and other lines.
std::optional<std::string> key_name(const std::string& line) {
    std::string t = trim(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    auto eq = t.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return trim(t.substr(0, eq));
}

// A missing or unreadable INI file, or something that is not a file at all
// (a FIFO must not hold up the start), reads as empty.
std::vector<std::string> read_lines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::optional<std::string> text;
    try {
        text = read_regular_file(path);
    } catch (const Error&) {
    }
    std::istringstream in(text.value_or(""));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::string IniFile::read_string(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
    bool in_section = false;
    for (const std::string& line : read_lines(path_)) {
        if (auto name = section_name(line)) {
            in_section = same_name(*name, section);
        } else if (in_section) {
            auto k = key_name(line);
            if (k && same_name(*k, key)) return trim(line.substr(line.find('=') + 1));
        }
    }
    return fallback;
}

void IniFile::write_string(const std::string& section, const std::string& key,
                           const std::string& value) const {
    std::vector<std::string> lines = read_lines(path_);
    const std::string entry = key + "=" + value;
    std::optional<std::size_t> section_end;
    bool in_section = false;
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (auto name = section_name(lines[i])) {
            if (in_section) break;
            in_section = same_name(*name, section);
            if (in_section) section_end = i + 1;
        } else if (in_section) {
            auto k = key_name(lines[i]);
            if (k && same_name(*k, key)) {
                lines[i] = entry;
                done = true;
            } else if (!trim(lines[i]).empty()) {
                section_end = i + 1;
            }
        }
    }
    if (!done && section_end) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*section_end), entry);
    } else if (!done) {
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }

    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    write_file_atomically(path_, text);
}

}  // namespace fenwarp
