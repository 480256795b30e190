#include "core/banks/bank_decoder.h"

#include <string>

#include "core/banks/bank_bytes.h"
#include "core/error.h"

namespace fenwarp {
namespace {

[[noreturn]] void bad_entry(const BankTable& table, const std::string& reason) {
    throw Error(std::string("Table directory: ") + table.layout->document + " " + reason);
}

// The group of `count` records at `offset` must lie within the table's room;
// computed wide, so no 16-bit value can wrap past the check.
void check_group(const BankTable& table, const char* group, std::size_t offset, std::size_t count) {
    const std::size_t size = table.layout->record_size();
    if (offset > table.bank_end) {
        bad_entry(table, std::string("places its ") + group + " at offset " +
                             std::to_string(offset) + ", outside bank " +
                             std::to_string(table.bank) + " (tables end at " +
                             std::to_string(table.bank_end) + ")");
    }
    if (count > (table.bank_end - offset) / size) {
        bad_entry(table, std::string("counts ") + std::to_string(count) + " records in its " +
                             group + " at offset " + std::to_string(offset) + ", but bank " +
                             std::to_string(table.bank) + " has room for " +
                             std::to_string((table.bank_end - offset) / size));
    }
}

void read_group(DecodedTable& decoded, const BankImages::Bank& bank, std::size_t offset,
                std::size_t count) {
    const RecordLayout& layout = decoded.layout();
    const std::uint8_t* at = bank.data() + offset;
    for (std::size_t r = 0; r < count; ++r) {
        std::vector<std::uint16_t>& values = decoded.records.emplace_back();
        values.reserve(layout.fields.size());
        for (const Field& field : layout.fields) {
            values.push_back(get_bytes(at, field.width));
            at += field.width;
        }
    }
}

DecodedTable decode_table(const BankTable& table, const BankImages& images,
                          const TableDirectory& directory) {
    DecodedTable decoded{&table, directory.*table.entry, {}};
    const TableEntry& entry = decoded.entry;
    check_group(table, "first group", entry.start, entry.first_count);
    check_group(table, "second group", entry.second_offset, entry.second_count);
    decoded.records.reserve(std::size_t{entry.first_count} + entry.second_count);
    const BankImages::Bank& bank = images.bank(table.bank);
    read_group(decoded, bank, entry.start, entry.first_count);
    read_group(decoded, bank, entry.second_offset, entry.second_count);
    return decoded;
}

}  // namespace

DecodedBanks decode_banks(const BankImages& images) {
    DecodedBanks decoded;
    decoded.block = read_parameter_block(images.bank(2));
    for (const BankTable& table : bank_tables()) {
        decoded.tables.push_back(decode_table(table, images, decoded.block.directory));
    }
    return decoded;
}

}  // namespace fenwarp
