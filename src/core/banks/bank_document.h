#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "core/messages.h"

namespace fenwarp {

// One of the documents the compiler reads from the project folder, with its
// records (the root's child elements) gathered in one walk: a full bank has
// thousands, and finding each by position from the first would be quadratic.
class BankDocument {
  public:
    // A missing document shows missing_message and gives nothing; one that
    // does not parse or has no root element throws Error naming it.
    static std::optional<BankDocument> load(const std::filesystem::path& project_dir,
                                            const char* name, const char* missing_message,
                                            Messages& messages);

    const std::vector<pugi::xml_node>& records() const { return records_; }

  private:
    // On the heap: the records point into it, and a move must not shift it.
    std::unique_ptr<pugi::xml_document> document_ = std::make_unique<pugi::xml_document>();
    std::vector<pugi::xml_node> records_;
};

// Stops the compile: "Error in reading file XML <name>: <reason>".
[[noreturn]] void bank_document_error(const char* name, const std::string& reason);

}  // namespace fenwarp
