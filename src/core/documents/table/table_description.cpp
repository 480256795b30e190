#include "core/documents/table/table_description.h"

#include <algorithm>

#include "core/error.h"

namespace fenwarp {

std::size_t TableDescription::field_of(std::string_view attribute) const {
    auto found = std::find(attributes.begin(), attributes.end(), attribute);
    if (found == attributes.end()) {
        throw Error("Table " + std::string(base_name) + " has no attribute " +
                    std::string(attribute));
    }
    return static_cast<std::size_t>(found - attributes.begin());
}

bool TableDescription::is_optional(std::string_view attribute) const {
    return std::find(optional.begin(), optional.end(), attribute) != optional.end();
}

}  // namespace fenwarp
