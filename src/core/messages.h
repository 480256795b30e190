#pragma once

#include <string>
#include <vector>

namespace fenwarp {

// How a message box presents itself; the firmware dialog uses error boxes.
enum class MessageKind { Information, Error };

// The one way the core tells the user something: a modal box in the GUI,
// stderr in the CLI, a recorder in tests.
class Messages {
  public:
    virtual ~Messages() = default;
    virtual void show(const std::string& text, MessageKind kind = MessageKind::Information) = 0;
};

// Keeps every message in order; for tests and for callers that report later.
class MessageRecorder : public Messages {
  public:
    void show(const std::string& text, MessageKind kind = MessageKind::Information) override {
        texts.push_back(text);
        kinds.push_back(kind);
    }
    void clear() {
        texts.clear();
        kinds.clear();
    }

    std::vector<std::string> texts;
    std::vector<MessageKind> kinds;
};

}  // namespace fenwarp
