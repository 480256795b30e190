#include "core/documents/pargen/pargen_editor.h"

#include "core/documents/document_messages.h"
#include "core/documents/pargen/pargen_document.h"
#include "core/documents/xml_document.h"
#include "core/file_system.h"

namespace fenwarp {

void PargenEditor::load(const std::filesystem::path& file, Messages& messages) {
    if (!is_file(file)) {
        messages.show(document_messages::not_found);
        return;
    }
    try {
        XmlDocument document = XmlDocument::load(file);
        XmlElement root = document.root();
        auto targets = fields();
        for (std::size_t i = 0; i < targets.size(); ++i) *targets[i] = root.child(i).text();
    } catch (const XmlReadError&) {
        messages.show(document_messages::read_error);
    }
}

void PargenEditor::save_document(const std::filesystem::path& file) const {
    const std::array<std::string, 9> values = {dev_id_a, baud_a, dev_id_b, baud_b, sdo_timeout,
                                               "0",      "0",    "0",      "0"};
    write_pargen_document(file, values);
}

}  // namespace fenwarp
