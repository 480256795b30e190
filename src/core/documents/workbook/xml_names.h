#pragma once

#include <pugixml.hpp>

#include <string_view>

namespace fenwarp {

// Workbook parts name their elements and attributes with namespace prefixes
// that writers choose freely ("x:c", "r:id"); the readers go by local names.
inline std::string_view local_name(const char* name) {
    const std::string_view full(name);
    const std::size_t colon = full.find(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

inline pugi::xml_node child_named(pugi::xml_node parent, std::string_view local) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && local_name(child.name()) == local) return child;
    }
    return {};
}

inline pugi::xml_attribute attribute_named(pugi::xml_node node, std::string_view local) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        if (local_name(a.name()) == local) return a;
    }
    return {};
}

// The element children of `parent` with that local name, in order.
template <typename Visit>
void for_each_named(pugi::xml_node parent, std::string_view local, Visit&& visit) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && local_name(child.name()) == local) visit(child);
    }
}

}  // namespace fenwarp
