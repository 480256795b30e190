#include "core/banks/bank_document.h"

#include "core/documents/document_messages.h"
#include "core/error.h"
#include "core/input_file.h"
#include "core/shell/project_context.h"

namespace fenwarp {

void bank_document_error(const char* name, const std::string& reason) {
    throw Error(std::string(document_messages::read_error) + " " + name + ": " + reason);
}

std::optional<BankDocument> BankDocument::load(const std::filesystem::path& project_dir,
                                               const char* name, const char* missing_message,
                                               Messages& messages) {
    const std::filesystem::path path = join_path(project_dir, name);
    InputFile file(path);
    if (file.status() == InputFile::Status::Missing) {
        messages.show(missing_message);
        return std::nullopt;
    }
    if (file.status() == InputFile::Status::NotRegular) {
        bank_document_error(name, "not a regular file");
    }
    if (!file.is_open()) bank_document_error(name, "cannot be opened");
    const std::string text = file.read_all();
    std::optional<BankDocument> loaded(std::in_place);
    // A value of blanks only must reach the conversion, which refuses it;
    // the default parse would drop it and the field would silently become 0xFFFF.
    pugi::xml_parse_result result = loaded->document_->load_buffer(
        text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
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
