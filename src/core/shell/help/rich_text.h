#pragma once

#include <string>
#include <vector>

namespace fenwarp {

// Formatted text as the help viewer shows it: paragraphs of runs that share
// one character format. Text is UTF-8; "\n" inside a run is a line break and
// "\t" a tab.
struct TextRun {
    std::string text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int half_points = 24;  // font size in half points, as RTF counts it

    bool same_format(const TextRun& other) const {
        return bold == other.bold && italic == other.italic && underline == other.underline &&
               half_points == other.half_points;
    }
};

struct Paragraph {
    std::vector<TextRun> runs;
};

using RichText = std::vector<Paragraph>;

// The HTML subset a rich-text viewer takes (paragraphs, <b>, <i>, <u>, sizes).
std::string to_html(const RichText& text);

}  // namespace fenwarp
