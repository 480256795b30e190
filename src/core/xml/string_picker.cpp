#include "core/xml/string_picker.h"

#include "core/documents/document_messages.h"
#include "core/documents/xml_document.h"
#include "core/file_system.h"

namespace fenwarp {

StringPicker::LoadResult StringPicker::load(Messages& messages) {
    LoadResult result;
    if (!is_file(strings_path)) {
        messages.show(not_found);
        return result;
    }
    result.found = true;
    try {
        const XmlDocument document = XmlDocument::load(strings_path);
        const std::vector<XmlElement> children = document.root().children();
        for (const XmlElement& child : children) {
            if (result.filled == capacity) break;
            strings_[result.filled++] = child.text_content();
        }
        result.ignored = children.size() - result.filled;
        result.read_whole = true;
    } catch (const XmlReadError&) {
        messages.show(document_messages::read_error);
    }
    return result;
}

std::string StringPicker::select_row(int row) {
    selected_index = row - 1;
    return "Sel str: " + std::to_string(selected_index);
}

}  // namespace fenwarp
