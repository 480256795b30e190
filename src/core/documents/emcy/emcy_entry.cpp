#include "core/documents/emcy/emcy_entry.h"

namespace fenwarp::emcy {

std::string bypass_set_text(const TClEmcy& entry, int direction) {
    const std::int32_t value =
        entry.alias_sel * 2 + (entry.enable ? 1 : 0) + (direction != 0 ? direction_bit : 0);
    return std::to_string(value);
}

Bypass unpack_bypass_set(std::int32_t bypass_set) {
    const auto bits = static_cast<std::uint32_t>(bypass_set);
    return {(bits & 1u) != 0, static_cast<int>((bits >> 1) & 15u),
            (bits & static_cast<std::uint32_t>(direction_bit)) != 0 ? 1 : 0};
}

}  // namespace fenwarp::emcy
