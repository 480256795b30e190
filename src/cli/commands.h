#pragma once

#include <string>
#include <vector>

#include "core/messages.h"

namespace fenwarp::cli {

using Args = std::vector<std::string>;

// Messages of the core go to stderr; the CLI notes that one was shown.
class StderrMessages : public Messages {
  public:
    void show(const std::string& text, MessageKind kind = MessageKind::Information) override;
    int count = 0;
};

// A command takes the words after its name and returns the exit status.
struct Command {
    const char* name;
    const char* usage;
    std::string summary;
    int (*run)(const Args& args, StderrMessages& messages);
};

// The commands, in the order --help lists them.
const std::vector<Command>& commands();

}  // namespace fenwarp::cli
