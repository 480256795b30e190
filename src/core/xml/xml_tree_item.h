#pragma once

#include <string>
#include <vector>

#include "core/xml/xml_node.h"

namespace fenwarp {

// One item of the tree editor: the text the user sees and may change, and
// the picture pair of the node it came from, by which Write knows elements
// (2) from attributes (4).
struct XmlTreeItem {
    static constexpr int element_picture = 2 * static_cast<int>(TXMLNodeKind::Element);
    static constexpr int attribute_picture = 2 * static_cast<int>(TXMLNodeKind::Attribute);

    std::string text;
    int image_index = 0;     // 2 × kind
    int selected_index = 1;  // 2 × kind + 1
    std::vector<XmlTreeItem> children;
};

// The item of a parsed node with the items of all its children, in order.
XmlTreeItem xml_tree_item(const TXMLNode& node);

}  // namespace fenwarp
