#include "core/banks/bank_document.h"

#include "core/documents/document_messages.h"
#include "core/error.h"
#include "core/file_system.h"
#include "core/shell/project_context.h"

namespace fenwarp {

void bank_document_error(const char* name, const std::string& reason) {
    throw Error(std::string(document_messages::read_error) + " " + name + ": " + reason);
}

std::optional<BankDocument> BankDocument::load(const std::filesystem::path& project_dir,
                                               const char* name, const char* missing_message,
                                               Messages& messages) {
    const std::filesystem::path path = join_path(project_dir, name);
    if (!is_file(path)) {
        messages.show(missing_message);
        return std::nullopt;
    }
    std::optional<BankDocument> loaded(std::in_place);
    pugi::xml_parse_result result = loaded->document_->load_file(path.c_str());
    if (!result) {
        bank_document_error(name, std::string(result.description()) + " at offset " +
                                      std::to_string(result.offset));
    }
    pugi::xml_node root = loaded->document_->document_element();
    if (!root) bank_document_error(name, "no root element");
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) loaded->records_.push_back(child);
    }
    return loaded;
}

}  // namespace fenwarp
