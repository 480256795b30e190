#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/banks/bank_images.h"
#include "core/banks/bank_tables.h"
#include "core/banks/parameter_block.h"

namespace fenwarp {

// One table read back from its bank: the values of each record in layout
// order, the first group's records first, as the gateway walks them.
struct DecodedTable {
    const BankTable* table;
    TableEntry entry;
    std::vector<std::vector<std::uint16_t>> records;

    const RecordLayout& layout() const { return *table->layout; }
};

// What a set of banks holds for the gateway: the inverse of the compile.
struct DecodedBanks {
    ParameterBlock block;
    std::vector<DecodedTable> tables;  // in the order of bank_tables()
};

// Reads the parameter block, then each table where the directory places it.
// A directory entry that points outside its table's room in the bank, or
// whose counts need more room than the bank has, throws Error naming the
// table; nothing is read past a bank's end.
DecodedBanks decode_banks(const BankImages& images);

}  // namespace fenwarp
