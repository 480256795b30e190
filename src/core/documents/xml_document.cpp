#include "core/documents/xml_document.h"

#include <sstream>

#include "core/file_system.h"

namespace fenwarp {

std::size_t XmlElement::child_count() const {
    std::size_t count = 0;
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element) ++count;
    }
    return count;
}

XmlElement XmlElement::child(std::size_t index) const {
    std::size_t i = 0;
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        if (i++ == index) return XmlElement(c);
    }
    throw XmlReadError("Missing record " + std::to_string(index) + " in <" + name() + ">");
}

std::vector<XmlElement> XmlElement::children() const {
    std::vector<XmlElement> elements;
    for (pugi::xml_node c = node_.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element) elements.emplace_back(c);
    }
    return elements;
}

std::string XmlElement::attribute(const char* name) const {
    pugi::xml_attribute a = node_.attribute(name);
    if (!a)
        throw XmlReadError(std::string("Missing attribute ") + name + " in <" + this->name() + ">");
    return a.value();
}

bool XmlElement::has_attribute(const char* name) const {
    return bool(node_.attribute(name));
}

std::string XmlElement::text() const {
    return node_.text().get();
}

std::string XmlElement::text_content() const {
    // pugixml's walker goes without recursion, so no nesting depth can
    // exhaust the stack.
    struct Collector : pugi::xml_tree_walker {
        std::string text;
        bool for_each(pugi::xml_node& node) override {
            if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
                text += node.value();
            }
            return true;
        }
    } collector;
    pugi::xml_node walked = node_;  // traverse is not const
    walked.traverse(collector);
    return collector.text;
}

XmlElement XmlElement::append_element(const char* name) {
    return XmlElement(node_.append_child(name));
}

void XmlElement::set_attribute(const char* name, const std::string& value) {
    pugi::xml_attribute existing = node_.attribute(name);
    (existing ? existing : node_.append_attribute(name)).set_value(value.c_str());
}

void XmlElement::set_text(const std::string& value) {
    node_.text().set(value.c_str());
}

XmlDocument XmlDocument::load(const std::filesystem::path& path) {
    XmlDocument document;
    pugi::xml_parse_result result = document.doc_.load_file(path.c_str());
    if (!result) {
        throw XmlReadError(path.string() + ": " + result.description() + " at offset " +
                           std::to_string(result.offset));
    }
    if (!document.doc_.document_element()) throw XmlReadError(path.string() + ": no root element");
    return document;
}

XmlElement XmlDocument::root() const {
    return XmlElement(doc_.document_element());
}

XmlElement XmlDocument::create_root(const char* name) {
    return XmlElement(doc_.append_child(name));
}

void XmlDocument::save(const std::filesystem::path& path) const {
    std::ostringstream text;
    doc_.save(text, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    write_file_atomically(path, text.str());
}

}  // namespace fenwarp
