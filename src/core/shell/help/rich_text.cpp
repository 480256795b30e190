#include "core/shell/help/rich_text.h"

namespace fenwarp {

namespace {

void append_escaped(std::string& html, const std::string& text) {
    for (char c : text) {
        switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            case '\n':
                html += "<br/>";
                break;
            case '\t':
                html += "&nbsp;&nbsp;&nbsp;&nbsp;";
                break;
            default:
                html += c;
        }
    }
}

void append_run(std::string& html, const TextRun& run) {
    html += "<span style=\"font-size:" + std::to_string(run.half_points / 2) +
            (run.half_points % 2 != 0 ? ".5" : "") + "pt\">";
    if (run.bold) html += "<b>";
    if (run.italic) html += "<i>";
    if (run.underline) html += "<u>";
    append_escaped(html, run.text);
    if (run.underline) html += "</u>";
    if (run.italic) html += "</i>";
    if (run.bold) html += "</b>";
    html += "</span>";
}

}  // namespace

std::string to_html(const RichText& text) {
    std::string html = "<html><body>";
    for (const Paragraph& paragraph : text) {
        html += "<p style=\"margin-top:0; margin-bottom:0; white-space:pre-wrap\">";
        if (paragraph.runs.empty()) html += "&nbsp;";
        for (const TextRun& run : paragraph.runs) append_run(html, run);
        html += "</p>";
    }
    html += "</body></html>";
    return html;
}

}  // namespace fenwarp
