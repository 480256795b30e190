#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/documents/xml_document.h"
#include "core/messages.h"

namespace fenwarp {

// Loads one of the documents the compiler reads from the project folder. A
// missing document shows missing_message and gives nothing; one that does not
// load throws Error naming it.
std::optional<XmlDocument> load_bank_document(const std::filesystem::path& project_dir,
                                              const char* name, const char* missing_message,
                                              Messages& messages);

// Stops the compile: "Error in reading file XML <name>: <reason>".
[[noreturn]] void bank_document_error(const char* name, const std::string& reason);

}  // namespace fenwarp
