#include "core/xml/xml_tree_editor.h"

#include <exception>
#include <fstream>
#include <iterator>

#include "core/error.h"
#include "core/xml/xml_parser.h"
#include "core/xml/xml_tree_writer.h"

namespace fenwarp {

namespace {

std::string read_whole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw Error("Cannot open " + file.string());
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) throw Error("Cannot read " + file.string());
    return bytes;
}

// The text of a file's bytes: a UTF-8 byte order mark belongs to the
// encoding, not to the document.
std::string without_byte_order_mark(std::string bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    return bytes;
}

std::string utf8_name(const std::filesystem::path& file) {
    const std::u8string name = file.filename().u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace

void XmlTreeEditor::open(const std::filesystem::path& file) {
    std::unique_ptr<TXMLNode> document = parse_xml_text(without_byte_order_mark(read_whole(file)));
    document->file_name = utf8_name(file);
    std::vector<XmlTreeItem> items;
    items.push_back(xml_tree_item(*document));
    items_ = std::move(items);
}

const XmlTreeItem* XmlTreeEditor::item(const ItemPath& path) const {
    return const_cast<XmlTreeEditor*>(this)->find(path);
}

XmlTreeItem* XmlTreeEditor::find(const ItemPath& path) {
    std::vector<XmlTreeItem>* level = &items_;
    XmlTreeItem* found = nullptr;
    for (std::size_t index : path) {
        if (index >= level->size()) return nullptr;
        found = &(*level)[index];
        level = &found->children;
    }
    return found;
}

bool XmlTreeEditor::set_text(const ItemPath& path, const std::string& text) {
    XmlTreeItem* target = find(path);
    if (target == nullptr) return false;
    target->text = text;
    return true;
}

std::optional<std::filesystem::path> XmlTreeEditor::write(
    const std::filesystem::path& project_dir) const {
    if (items_.empty()) return std::nullopt;
    try {
        const XmlDocument document = xml_document_of(items_.front());
        const std::filesystem::path target = xml_write_target(items_.front(), project_dir);
        document.save(target);
        return target;
    } catch (const std::exception&) {
        // The tree editor's write ends quietly on any fault; the caller sees
        // that nothing was written.
        return std::nullopt;
    }
}

}  // namespace fenwarp
