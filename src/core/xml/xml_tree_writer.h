#pragma once

#include <filesystem>
#include <string>

#include "core/documents/xml_document.h"
#include "core/xml/xml_tree_item.h"

namespace fenwarp {

// Builds the document an item tree describes. The first item under the top
// item names the root element; below it, element items ("name = text" or a
// bare name) become child elements and attribute items ("name = value")
// attributes of their parent's element; other items are skipped. A name that
// XML cannot hold throws Error, as nothing valid could be written.
XmlDocument xml_document_of(const XmlTreeItem& top);

// Where Write puts the document: the project folder and the top item's text
// after its first ":", trimmed of blanks. Throws Error when that is not one
// plain file name in a known project folder, so nothing lands elsewhere.
std::filesystem::path xml_write_target(const XmlTreeItem& top,
                                       const std::filesystem::path& project_dir);

}  // namespace fenwarp
