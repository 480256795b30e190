#include "core/banks/decode_notes.h"

#include <map>

namespace fenwarp {
namespace {

std::string record_name(const DecodedTable& table, std::size_t r) {
    return std::string(table.layout().document) + " record " + std::to_string(r + 1);
}

void note_records(const DecodedTable& table, std::vector<std::string>& notes) {
    const RecordLayout& layout = table.layout();
    for (std::size_t r = 0; r < table.records.size(); ++r) {
        const std::vector<std::uint16_t>& values = table.records[r];
        const bool in_first = r < table.entry.first_count;
        const bool bit_set = (values[layout.group_field] & layout.group_mask) != 0;
        if ((bit_set == layout.first_group_when_set) != in_first) {
            notes.push_back(record_name(table, r) + " lies in the " +
                            (in_first ? "first" : "second") + " group, but its " +
                            layout.fields[layout.group_field].attribute +
                            " names the other: a compile moves it");
        }
        if (layout.key_field && values[*layout.key_field] == 0) {
            notes.push_back(record_name(table, r) + " has " +
                            layout.fields[*layout.key_field].attribute +
                            " 0: a compile leaves it out");
        }
    }
}

}  // namespace

std::vector<std::string> decode_notes(const DecodedBanks& banks) {
    std::vector<std::string> notes;
    std::map<int, std::size_t> position;  // where the compile puts the bank's next table
    for (const DecodedTable& table : banks.tables) {
        const TableEntry& e = table.entry;
        const std::size_t size = table.layout().record_size();
        std::size_t& at = position[table.table->bank];
        const std::size_t count = table.records.size();
        const std::size_t second = std::size_t{e.start} + size * e.first_count;
        // An empty table has no place the gateway reads.
        if (count > 0 && (e.start != at || (e.second_count > 0 && e.second_offset != second))) {
            notes.push_back(std::string(table.layout().document) +
                            " is not where a compile puts it (start " + std::to_string(at) +
                            ", second group right after the first)");
        }
        at += size * count;
        note_records(table, notes);
    }
    return notes;
}

}  // namespace fenwarp
