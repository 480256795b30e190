#include "core/xml/xml_tree_writer.h"

#include "core/error.h"
#include "core/xml/xml_chars.h"
#include "core/xml/xml_text.h"

namespace fenwarp {

namespace {

// An item's text split at its first "=": the name before it and the text
// after it, both trimmed of blanks; a text without "=" is all name.
struct SplitText {
    std::string name;
    std::string value;
    bool has_value = false;
};

SplitText split_item_text(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return {xml_text::trim_blanks(text), {}, false};
    return {xml_text::trim_blanks(text.substr(0, equals)),
            xml_text::trim_blanks(text.substr(equals + 1)), true};
}

// Letters beyond ASCII arrive as UTF-8 bytes at or above 0x80; they may
// stand in a name as in any XML document.
bool name_byte(char c, bool first) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
    return first ? xml_chars::is_name_start(c) : xml_chars::is_name_char(c);
}

const std::string& checked_name(const std::string& name) {
    bool valid = !name.empty();
    for (std::size_t i = 0; valid && i < name.size(); ++i) valid = name_byte(name[i], i == 0);
    if (!valid) throw Error("\"" + name + "\" is not a valid XML name");
    return name;
}

void write_children(const XmlTreeItem& item, XmlElement element) {
    for (const XmlTreeItem& child : item.children) {
        const SplitText split = split_item_text(child.text);
        if (child.image_index == XmlTreeItem::element_picture) {
            XmlElement made = element.append_element(checked_name(split.name).c_str());
            if (split.has_value) made.set_text(split.value);
            write_children(child, made);
        } else if (child.image_index == XmlTreeItem::attribute_picture) {
            element.set_attribute(checked_name(split.name).c_str(), split.value);
        }
    }
}

}  // namespace

XmlDocument xml_document_of(const XmlTreeItem& top) {
    if (top.children.empty()) throw Error("The tree holds no root element");
    const XmlTreeItem& root_item = top.children.front();
    XmlDocument document;
    XmlElement root = document.create_root(checked_name(root_item.text).c_str());
    write_children(root_item, root);
    return document;
}

std::filesystem::path xml_write_target(const XmlTreeItem& top,
                                       const std::filesystem::path& project_dir) {
    const std::size_t colon = top.text.find(':');
    const std::string name =
        xml_text::trim_blanks(colon == std::string::npos ? top.text : top.text.substr(colon + 1));
    const bool plain = !name.empty() && name != "." && name != ".." &&
                       name.find_first_of("/\\") == std::string::npos;
    if (!plain) throw Error("\"" + name + "\" is not a file name");
    if (project_dir.empty()) throw Error("No project folder to write into");
    return project_dir / std::filesystem::path(std::u8string(name.begin(), name.end()));
}

}  // namespace fenwarp
