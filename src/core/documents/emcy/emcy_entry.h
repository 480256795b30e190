#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace fenwarp {

// One EMCY translation: the producer's node ID and the comparison value and
// enable mask of the five EMCY data fields, as texts in the order of the
// table's attributes (id_dev first, enmask_eq_m3 last); whether it is
// translated; where the forwarded EMCY carries the producer's node ID.
struct TClEmcy {
    static constexpr std::size_t text_field_count = 11;

    std::array<std::string, text_field_count> fields;
    bool enable = false;
    // 0 to 8 from the dialog; a document may give up to 15.
    int alias_sel = 0;

    const std::string& id_dev() const { return fields[0]; }
};

namespace emcy {

// bypass_set: bit 0 enable, bits 1 to 4 the alias, bit 5 the direction
// (set: EMCY from CAN 1). Higher bits mean nothing.
inline constexpr std::int32_t direction_bit = 32;

// The entry's bypass_set as the document, the CSV file and the sheet hold it.
std::string bypass_set_text(const TClEmcy& entry, int direction);

// What a bypass_set says: the entry's enable and alias, and its direction.
struct Bypass {
    bool enable;
    int alias_sel;
    int direction;
};
Bypass unpack_bypass_set(std::int32_t bypass_set);

}  // namespace emcy
}  // namespace fenwarp
