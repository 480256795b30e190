#include "core/shell/help/rtf_reader.h"

#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "core/text/utf8.h"

namespace fenwarp {

namespace {

// What a group carries: the character format, the \uc count and whether its
// text is skipped.
struct GroupState {
    TextRun format;
    int unicode_skip = 1;
    bool skipped = false;
};

// Groups whose text is never shown.
bool is_skipped_destination(std::string_view word) {
    static constexpr std::array<std::string_view, 22> names = {
        "fonttbl",      "colortbl",
        "stylesheet",   "info",
        "pict",         "header",
        "footer",       "headerl",
        "headerr",      "footerl",
        "footerr",      "object",
        "listtable",    "listoverridetable",
        "rsidtbl",      "generator",
        "xmlnsdecl",    "themedata",
        "fldinst",      "datastore",
        "latentstyles", "colorschememapping"};
    for (std::string_view name : names)
        if (word == name) return true;
    return false;
}

class RtfReader {
  public:
    explicit RtfReader(std::string_view rtf) : rtf_(rtf) { text_.emplace_back(); }

    RichText read() {
        while (pos_ < rtf_.size()) step();
        return std::move(text_);
    }

  private:
    void step() {
        const char c = rtf_[pos_++];
        switch (c) {
            case '{':
                groups_.push_back(current_);
                break;
            case '}':
                close_group();
                break;
            case '\\':
                control();
                break;
            case '\r':
            case '\n':
                break;
            default:
                text_byte(static_cast<unsigned char>(c));
        }
    }

    void close_group() {
        if (groups_.empty()) return;
        current_ = groups_.back();
        groups_.pop_back();
        pending_fallback_ = 0;
    }

    // control ::= "\" letters [ "-" ] [ digits ] [ " " ] | "\" symbol
    void control() {
        if (pos_ >= rtf_.size()) return;
        const char c = rtf_[pos_];
        if (std::isalpha(static_cast<unsigned char>(c)) != 0) return control_word();
        ++pos_;
        switch (c) {
            case '\'':
                return hex_escape();
            case '*':
                current_.skipped = true;
                return;
            case '\\':
            case '{':
            case '}':
                return text_byte(static_cast<unsigned char>(c));
            case '~':
                return code_point(0xA0);
            case '_':
                return code_point(0x2011);
            case '\r':
            case '\n':
                return new_paragraph();
            default:
                return;  // \- optional hyphen, \: index entries and the rest
        }
    }

    void control_word() {
        const std::size_t start = pos_;
        while (pos_ < rtf_.size() && std::isalpha(static_cast<unsigned char>(rtf_[pos_])) != 0)
            ++pos_;
        const std::string_view word = rtf_.substr(start, pos_ - start);
        const std::optional<int> parameter = read_parameter();
        if (pos_ < rtf_.size() && rtf_[pos_] == ' ') ++pos_;
        apply(word, parameter);
    }

    std::optional<int> read_parameter() {
        std::size_t p = pos_;
        bool negative = false;
        if (p < rtf_.size() && rtf_[p] == '-') {
            negative = true;
            ++p;
        }
        if (p >= rtf_.size() || std::isdigit(static_cast<unsigned char>(rtf_[p])) == 0)
            return std::nullopt;
        long value = 0;
        while (p < rtf_.size() && std::isdigit(static_cast<unsigned char>(rtf_[p])) != 0) {
            if (value < 10000000) value = value * 10 + (rtf_[p] - '0');
            ++p;
        }
        pos_ = p;
        return static_cast<int>(negative ? -value : value);
    }

    void apply(std::string_view word, std::optional<int> parameter) {
        const bool on = !parameter || *parameter != 0;
        if (is_skipped_destination(word))
            current_.skipped = true;
        else if (word == "par" || word == "row" || word == "sect" || word == "page")
            new_paragraph();
        else if (word == "line")
            text("\n");
        else if (word == "tab" || word == "cell")
            text("\t");
        else if (word == "b")
            current_.format.bold = on;
        else if (word == "i")
            current_.format.italic = on;
        else if (word == "ul")
            current_.format.underline = on;
        else if (word == "ulnone")
            current_.format.underline = false;
        else if (word == "fs" && parameter && *parameter > 0)
            current_.format.half_points = *parameter;
        else if (word == "plain")
            current_.format = TextRun{};
        else if (word == "uc" && parameter && *parameter >= 0)
            current_.unicode_skip = *parameter;
        else if (word == "u" && parameter)
            unicode(*parameter);
        else
            symbol(word);
    }

    void symbol(std::string_view word) {
        static constexpr std::array<std::pair<std::string_view, std::uint32_t>, 9> symbols = {
            {{"emdash", 0x2014},
             {"endash", 0x2013},
             {"bullet", 0x2022},
             {"lquote", 0x2018},
             {"rquote", 0x2019},
             {"ldblquote", 0x201C},
             {"rdblquote", 0x201D},
             {"emspace", 0x2003},
             {"enspace", 0x2002}}};
        for (const auto& [name, cp] : symbols)
            if (word == name) return code_point(cp);
    }

    void unicode(int value) {
        code_point(static_cast<std::uint32_t>(value < 0 ? value + 65536 : value));
        pending_fallback_ = current_.unicode_skip;
    }

    void hex_escape() {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            if (pos_ >= rtf_.size() || std::isxdigit(static_cast<unsigned char>(rtf_[pos_])) == 0)
                return;
            const char h =
                static_cast<char>(std::tolower(static_cast<unsigned char>(rtf_[pos_++])));
            value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
        }
        text_byte(static_cast<unsigned char>(value));
    }

    // A character of the document: the fallback of a \u is dropped, and so
    // is everything in a skipped destination.
    void text_byte(unsigned char byte) {
        if (pending_fallback_ > 0) {
            --pending_fallback_;
            return;
        }
        code_point(windows_1252(byte));
    }

    void code_point(std::uint32_t cp) {
        std::string utf8;
        append_utf8(utf8, cp);
        text(utf8);
    }

    void text(const std::string& utf8) {
        if (current_.skipped) return;
        auto& runs = text_.back().runs;
        if (runs.empty() || !runs.back().same_format(current_.format)) {
            runs.push_back(current_.format);
            runs.back().text.clear();
        }
        runs.back().text += utf8;
    }

    void new_paragraph() {
        if (!current_.skipped) text_.emplace_back();
    }

    std::string_view rtf_;
    std::size_t pos_ = 0;
    GroupState current_;
    std::vector<GroupState> groups_;
    int pending_fallback_ = 0;
    RichText text_;
};

}  // namespace

bool looks_like_rtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

RichText read_rtf(std::string_view rtf) {
    RichText text = RtfReader(rtf).read();
    // The paragraph after the last \par holds only what trailed it.
    if (text.size() > 1 && text.back().runs.empty()) text.pop_back();
    return text;
}

}  // namespace fenwarp
