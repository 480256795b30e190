#pragma once

#include <filesystem>
#include <string>

#include "core/messages.h"
#include "core/shell/project_context.h"

namespace fenwarp {

// State of the Help dialog: what its viewer shows. Reloaded at each showing
// from "help" + board variant + ".dat" beside the program.
class HelpViewer {
  public:
    enum class Kind { Empty, Rich, Plain };

    static std::filesystem::path help_file(const ProjectContext& context);

    // Replaces what the viewer shows. A file that is missing, is not a
    // regular file or cannot be read empties the viewer and shows
    // "Impossible to read file Help"; returns whether the file was shown.
    bool load(const ProjectContext& context, Messages& messages);

    Kind kind() const { return kind_; }
    // HTML for a rich text, the text itself for a plain one.
    const std::string& content() const { return content_; }

  private:
    Kind kind_ = Kind::Empty;
    std::string content_;
};

// Text of a plain help file: UTF-8 as it stands, anything else read in the
// Windows-1252 code page.
std::string plain_help_text(const std::string& bytes);

}  // namespace fenwarp
