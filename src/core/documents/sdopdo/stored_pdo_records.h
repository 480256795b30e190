#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fenwarp::stored_pdo {

// The dialog's two tabs. Tab "Can0" lists the PDOs going from CAN 1 to CAN 0
// and holds the SDO objects read on CAN 1; tab "Can1" the other way round.
inline constexpr int tab_count = 2;
inline constexpr const char* tab_names[tab_count] = {"Can0", "Can1"};

// nrpdo: bits 0 to 6 the PDO's position (from 1), bit 7 set on tab "Can1".
inline constexpr std::int32_t can1_bit = 128;
inline constexpr std::int32_t position_mask = 127;
inline constexpr int max_position = 127;

// A byte choice: item 0 "none", items 1 to 8 "B1" to "B8".
inline constexpr int byte_items = 9;

inline std::string nrpdo_text(int position, int tab) {
    return std::to_string(position + (tab == 1 ? can1_bit : 0));
}
inline int tab_of(std::int32_t nrpdo) {
    return (nrpdo & can1_bit) != 0 ? 1 : 0;
}
inline int position_of(std::int32_t nrpdo) {
    return nrpdo & position_mask;
}

// poscomp packs the high-byte choice in its upper nibble, the low-byte one in
// its lower nibble.
inline std::string poscomp_text(int high, int low) {
    return std::to_string(high * 16 + low);
}
inline int high_item(std::int32_t poscomp) {
    return (poscomp / 16) % 16;
}
inline int low_item(std::int32_t poscomp) {
    return poscomp % 16;
}

}  // namespace fenwarp::stored_pdo

namespace fenwarp {

// A stored SDO entry, or a reference to an SDO object of sdo.xml (whose
// poscomp stays empty). Texts as typed, read or imported.
struct TClSdo {
    std::string index;
    std::string subindex;
    std::string poscomp;

    bool operator==(const TClSdo&) const = default;
};

// A PDO of rpdodef.xml: its cobid, its position among the PDOs of its
// direction (from 1) and the SDO entries stored for it, in the order added.
struct TClPdo {
    std::string cobid;
    int position = 0;
    std::vector<TClSdo> stored;
};

}  // namespace fenwarp

namespace fenwarp::stored_pdo {

// rpdodef.xml's en_bypass: bit 1 set for a PDO going from CAN 0 to CAN 1,
// which tab "Can1" lists.
inline constexpr std::int32_t pdo_can0_to_can1_bit = 2;

}  // namespace fenwarp::stored_pdo
