#include "core/banks/bank_document.h"

#include <system_error>

#include "core/documents/document_messages.h"
#include "core/error.h"
#include "core/shell/project_context.h"

namespace fenwarp {

void bank_document_error(const char* name, const std::string& reason) {
    throw Error(std::string(document_messages::read_error) + " " + name + ": " + reason);
}

std::optional<XmlDocument> load_bank_document(const std::filesystem::path& project_dir,
                                              const char* name, const char* missing_message,
                                              Messages& messages) {
    const std::filesystem::path path = join_path(project_dir, name);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) {
        messages.show(missing_message);
        return std::nullopt;
    }
    try {
        return XmlDocument::load(path);
    } catch (const XmlReadError& e) {
        bank_document_error(name, e.what());
    }
}

}  // namespace fenwarp
