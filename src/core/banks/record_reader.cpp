#include "core/banks/record_reader.h"

#include <cstring>

namespace fenwarp {

std::optional<std::string_view> RecordReader::attribute(const char* name) {
    pugi::xml_attribute found = next_;
    if (!found || std::strcmp(found.name(), name) != 0) found = record_.attribute(name);
    if (!found) return std::nullopt;
    next_ = found.next_attribute();
    return std::string_view(found.value());
}

}  // namespace fenwarp
