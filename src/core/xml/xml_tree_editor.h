#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/xml/xml_tree_item.h"

namespace fenwarp {

// State of the XML tree editor: the items of the tree as the user sees them,
// kept between showings of the window.
class XmlTreeEditor {
  public:
    // Addresses an item: its position among the top items, then among the
    // children of each item on the way down.
    using ItemPath = std::vector<std::size_t>;

    // Removes every item.
    void clear() { items_.clear(); }

    // Parses the file and puts its tree in place of the items: the document
    // item "File: " + the file's name, then one item per node. Throws
    // XmlParseError with the parser's message, or Error when the file cannot
    // be read; the items stay as they were then.
    void open(const std::filesystem::path& file);

    const std::vector<XmlTreeItem>& items() const { return items_; }
    // The item at the path, or nothing when no item is there.
    const XmlTreeItem* item(const ItemPath& path) const;
    // Changes an item's text; false when no item is there.
    bool set_text(const ItemPath& path, const std::string& text);

    // Writes the tree as a document named by the top item's file name into
    // the project folder. Returns the file written, or nothing when the tree
    // could not be written (no items, a name XML cannot hold, a file name that
    // is not one, a failed save); a failed save leaves the old file whole.
    std::optional<std::filesystem::path> write(const std::filesystem::path& project_dir) const;

  private:
    XmlTreeItem* find(const ItemPath& path);

    std::vector<XmlTreeItem> items_;
};

}  // namespace fenwarp
