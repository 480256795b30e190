#include "core/xml/xml_node.h"

#include <iterator>

namespace fenwarp {

namespace {

const char* kind_word(TXMLNodeKind kind) {
    switch (kind) {
        case TXMLNodeKind::Document:
            return "File: ";
        case TXMLNodeKind::ProcessingInstruction:
            return "ProcessingInstruction";
        case TXMLNodeKind::XMLDeclaration:
            return "XMLDeclaration";
        case TXMLNodeKind::Element:
        case TXMLNodeKind::Attribute:
            break;
    }
    return "";
}

}  // namespace

TXMLNode& TXMLNode::add_child(std::unique_ptr<TXMLNode> child) {
    children_.push_back(std::move(child));
    return *children_.back();
}

std::unique_ptr<TXMLNode> TXMLNode::remove_child(std::size_t index) {
    std::unique_ptr<TXMLNode> child = std::move(children_.at(index));
    children_.erase(std::next(children_.begin(), static_cast<std::ptrdiff_t>(index)));
    return child;
}

std::string TXMLNode::display_text() const {
    std::string text = name + kind_word(kind);
    if (kind == TXMLNodeKind::Document) text += file_name;
    if (!value.empty()) text += " = " + value;
    return text;
}

}  // namespace fenwarp
