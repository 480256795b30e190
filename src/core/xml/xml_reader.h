#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace fenwarp {

// A reader's saved place, to go back to when a literal does not match.
class TXMLReaderState {
  public:
    virtual ~TXMLReaderState() = default;
};

// The parser's source of characters. `current` is always the next character
// to be examined; it is 0 once the data is exhausted.
class TXMLReader {
  public:
    virtual ~TXMLReader() = default;

    // True while the last character is current, and after it.
    virtual bool at_end() const = 0;
    virtual void free_state(std::unique_ptr<TXMLReaderState> state) = 0;
    virtual void next_char() = 0;
    virtual void restore_state(const TXMLReaderState& state) = 0;
    virtual std::unique_ptr<TXMLReaderState> save_state() const = 0;

    char current = 0;
};

class TXMLStringReaderState : public TXMLReaderState {
  public:
    TXMLStringReaderState(std::size_t position, char current)
        : position(position), current(current) {}

    std::size_t position;
    char current;
};

// Reads an in-memory text; `position` is the 1-based index of the next
// character to read.
class TXMLStringReader : public TXMLReader {
  public:
    explicit TXMLStringReader(std::string text) : text_(std::move(text)) {}

    bool at_end() const override { return position_ > text_.size(); }
    void free_state(std::unique_ptr<TXMLReaderState> state) override { state.reset(); }
    void next_char() override;
    void restore_state(const TXMLReaderState& state) override;
    std::unique_ptr<TXMLReaderState> save_state() const override;

  private:
    std::string text_;
    std::size_t position_ = 1;
};

}  // namespace fenwarp
