#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/documents/table/table_catalogue.h"

namespace fenwarp::sdo {

// The eight fields of a record (TMyrec), in the order of sdo_table().
inline constexpr std::size_t field_count = 8;
using TMyrec = std::array<std::string, field_count>;

// Each page's grid: the heading row 0, then data rows numbered 0 to 1499 in
// the fixed column 0; column 1 holds the RW flag, columns 2 to 8 the fields
// after conf.
inline constexpr std::size_t data_rows = 1500;
inline constexpr std::size_t grid_rows = data_rows + 1;
inline constexpr std::size_t grid_columns = field_count + 1;
inline constexpr std::size_t rw_column = 1;
// The texts of row 0, column 0 first; the CSV export writes them out.
inline constexpr std::array<const char*, grid_columns> heading_row = {
    "N", "RW", "Index", "Subindex", "devID", "Index", "Subindex", "nbyte", "mnemonico"};

// conf: bit 0 is the direction (0: the request arrives on CAN 0), bit 4 the
// RW flag.
inline constexpr std::int32_t direction_bit = 1;
inline constexpr std::int32_t rw_bit = 16;

// The conf a page row is written with: the page's direction, plus 16 when the
// RW cell is exactly "1".
inline std::string conf_text(bool rw, int direction) {
    return std::to_string((rw ? rw_bit : 0) + direction);
}

inline int direction_of(std::int32_t conf) {
    return (conf & direction_bit) != 0 ? 1 : 0;
}

}  // namespace fenwarp::sdo
