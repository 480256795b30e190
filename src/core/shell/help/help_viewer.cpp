#include "core/shell/help/help_viewer.h"

#include <optional>

#include "core/error.h"
#include "core/input_file.h"
#include "core/shell/help/rtf_reader.h"
#include "core/text/utf8.h"

namespace fenwarp {

namespace {

// Help files are a few pages; anything far larger is not one.
constexpr std::uintmax_t largest_help_file = 16u << 20;

std::optional<std::string> read_help_bytes(const std::filesystem::path& path) {
    try {
        std::optional<std::string> bytes = read_regular_file(path);  // a FIFO never blocks
        if (bytes && bytes->size() > largest_help_file) return std::nullopt;
        return bytes;
    } catch (const Error&) {
        return std::nullopt;  // unreadable: the viewer says so
    }
}

int utf8_tail(unsigned char lead) {
    if (lead < 0x80) return 0;
    if ((lead & 0xE0) == 0xC0) return 1;
    if ((lead & 0xF0) == 0xE0) return 2;
    if ((lead & 0xF8) == 0xF0) return 3;
    return -1;
}

bool is_utf8(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const int tail = utf8_tail(static_cast<unsigned char>(bytes[i]));
        if (tail < 0 || i + static_cast<std::size_t>(tail) >= bytes.size()) return false;
        for (std::size_t k = 1; k <= static_cast<std::size_t>(tail); ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        i += static_cast<std::size_t>(tail) + 1;
    }
    return true;
}

}  // namespace

std::filesystem::path HelpViewer::help_file(const ProjectContext& context) {
    return join_path(context.exe_dir,
                     "help" + std::to_string(ProjectContext::board_variant) + ".dat");
}

bool HelpViewer::load(const ProjectContext& context, Messages& messages) {
    kind_ = Kind::Empty;
    content_.clear();
    const std::optional<std::string> bytes = read_help_bytes(help_file(context));
    if (!bytes) {
        messages.show("Impossible to read file Help");
        return false;
    }
    if (looks_like_rtf(*bytes)) {
        kind_ = Kind::Rich;
        content_ = to_html(read_rtf(*bytes));
    } else {
        kind_ = Kind::Plain;
        content_ = plain_help_text(*bytes);
    }
    return true;
}

std::string plain_help_text(const std::string& bytes) {
    if (is_utf8(bytes)) return bytes;
    std::string text;
    for (char c : bytes) append_utf8(text, windows_1252(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace fenwarp
