#include "core/xml/xml_tree_item.h"

namespace fenwarp {

XmlTreeItem xml_tree_item(const TXMLNode& node) {
    XmlTreeItem item;
    item.text = node.display_text();
    item.image_index = 2 * static_cast<int>(node.kind);
    item.selected_index = item.image_index + 1;
    item.children.reserve(node.child_count());
    for (std::size_t i = 0; i < node.child_count(); ++i) {
        item.children.push_back(xml_tree_item(node.child(i)));
    }
    return item;
}

}  // namespace fenwarp
