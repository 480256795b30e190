#pragma once

#include <optional>
#include <string_view>

#include <pugixml.hpp>

namespace fenwarp {

// A record's attributes by name. The editors write them in the order the
// compiler reads them, so the search first tries the one after the last found.
class RecordReader {
  public:
    explicit RecordReader(pugi::xml_node record) : record_(record) {}

    // Nothing when the record lacks the attribute.
    std::optional<std::string_view> attribute(const char* name);

  private:
    pugi::xml_node record_;
    pugi::xml_attribute next_;
};

}  // namespace fenwarp
