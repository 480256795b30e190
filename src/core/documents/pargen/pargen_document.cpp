#include "core/documents/pargen/pargen_document.h"

#include "core/documents/pargen/pargen_editor.h"
#include "core/documents/xml_document.h"

namespace fenwarp {

void write_pargen_document(const std::filesystem::path& file,
                           const std::array<std::string, 9>& values) {
    XmlDocument document;
    XmlElement root = document.create_root(PargenEditor::root_name);
    for (std::size_t i = 0; i < values.size(); ++i) {
        root.append_element(PargenEditor::element_names[i]).set_text(values[i]);
    }
    document.save(file);
}

}  // namespace fenwarp
