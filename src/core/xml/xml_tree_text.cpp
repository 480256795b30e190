#include "core/xml/xml_tree_text.h"

namespace fenwarp {

namespace {

void append_lines(const TXMLNode& node, std::size_t level, std::string& text) {
    text.append(2 * level, ' ');
    text += node.display_text();
    text += '\n';
    for (std::size_t i = 0; i < node.child_count(); ++i) {
        append_lines(node.child(i), level + 1, text);
    }
}

}  // namespace

std::string xml_tree_text(const TXMLNode& node) {
    std::string text;
    append_lines(node, 0, text);
    return text;
}

}  // namespace fenwarp
