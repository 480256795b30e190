#pragma once

#include <cstdint>

namespace fenwarp {

// Where the gateway finds one table: bank offsets in bytes, counts in records.
struct TableEntry {
    std::uint16_t start = 0;
    std::uint16_t first_count = 0;
    std::uint16_t second_offset = 0;
    std::uint16_t second_count = 0;

    friend bool operator==(const TableEntry&, const TableEntry&) = default;
};

// The five entries in the order the gateway reads them from bank 2.
struct TableDirectory {
    TableEntry sdo;         // bank 1
    TableEntry emcy;        // bank 2
    TableEntry emcy_word;   // bank 2
    TableEntry pdo;         // bank 2
    TableEntry stored_pdo;  // bank 1
};

}  // namespace fenwarp
