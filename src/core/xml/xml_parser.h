#pragma once

#include <memory>
#include <string>

#include "core/xml/xml_node.h"
#include "core/xml/xml_parse_error.h"
#include "core/xml/xml_reader.h"

namespace fenwarp {

// Elements nested deeper than this are refused rather than recursed into, so
// a hostile file cannot exhaust the stack.
inline constexpr int xml_max_depth = 1000;

// Parses a whole document: elements, attributes, character data, CDATA,
// comments, processing instructions, the XML declaration and character
// references; document type declarations are refused. Returns the document
// node, or throws XmlParseError with nothing left behind.
std::unique_ptr<TXMLNode> parse_document(TXMLReader& reader);

// The same over a text held in memory.
std::unique_ptr<TXMLNode> parse_xml_text(std::string text);

}  // namespace fenwarp
