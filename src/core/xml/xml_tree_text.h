#pragma once

#include <string>

#include "core/xml/xml_node.h"

namespace fenwarp {

// The tree as lines: one display text a line, two blanks of indent a level,
// the given node first.
std::string xml_tree_text(const TXMLNode& node);

}  // namespace fenwarp
