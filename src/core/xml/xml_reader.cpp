#include "core/xml/xml_reader.h"

namespace fenwarp {

void TXMLStringReader::next_char() {
    if (position_ > text_.size()) {
        current = 0;
        return;
    }
    current = text_[position_ - 1];
    ++position_;
}

void TXMLStringReader::restore_state(const TXMLReaderState& state) {
    const auto& saved = static_cast<const TXMLStringReaderState&>(state);
    position_ = saved.position;
    current = saved.current;
}

std::unique_ptr<TXMLReaderState> TXMLStringReader::save_state() const {
    return std::make_unique<TXMLStringReaderState>(position_, current);
}

}  // namespace fenwarp
