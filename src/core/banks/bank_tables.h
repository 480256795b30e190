#pragma once

#include <cstddef>
#include <vector>

#include "core/banks/record_layouts.h"
#include "core/banks/table_directory.h"

namespace fenwarp {

// One table as the gateway holds it: its record layout, the bank it lies in,
// its entry in the table directory and the room its bank gives the tables.
struct BankTable {
    const RecordLayout* layout;
    int bank;
    TableEntry TableDirectory::*entry;
    std::size_t bank_end;  // tables end before this bank offset
};

// The five tables in packing order: bank 1 from offset 0, then bank 2.
const std::vector<BankTable>& bank_tables();

}  // namespace fenwarp
