#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace fenwarp {

// What a parsed node stands for; the number is also the node's picture pair
// in the tree editor.
enum class TXMLNodeKind : int {
    Document = 0,
    Element = 1,
    Attribute = 2,
    ProcessingInstruction = 3,
    XMLDeclaration = 4,
};

// One node of a parsed tree. It owns its children: an element's attributes
// first, in source order, then its child elements and processing
// instructions in source order.
class TXMLNode {
  public:
    TXMLNode(TXMLNodeKind kind, std::string name) : name(std::move(name)), kind(kind) {}

    std::string value;  // character content, attribute value or instruction data
    std::string name;   // empty for the document and the declaration
    TXMLNodeKind kind;
    std::string file_name;  // the document node's only

    TXMLNode& add_child(std::unique_ptr<TXMLNode> child);
    std::size_t child_count() const { return children_.size(); }
    TXMLNode& child(std::size_t index) const { return *children_.at(index); }
    // Hands the child over to the caller instead of destroying it.
    std::unique_ptr<TXMLNode> remove_child(std::size_t index);

    // Name, kind word, the document's file name, then " = " and the value
    // when there is one: "idA = 1", "File: pargen.xml".
    std::string display_text() const;

  private:
    std::vector<std::unique_ptr<TXMLNode>> children_;
};

}  // namespace fenwarp
