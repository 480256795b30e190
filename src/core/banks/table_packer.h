#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include <pugixml.hpp>

#include "core/banks/bank_images.h"
#include "core/banks/record_layouts.h"
#include "core/banks/table_directory.h"
#include "core/messages.h"

namespace fenwarp {

// The records of one table as the gateway gets them: each group's records back
// to back, in document order. Records that are no entry (empty conf, key 0)
// are left out, so the directory's counts describe exactly these bytes.
struct PackedTable {
    std::size_t record_size = 0;
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> second;

    std::size_t first_count() const { return first.size() / record_size; }
    std::size_t second_count() const { return second.size() / record_size; }
    std::size_t bytes() const { return first.size() + second.size(); }
};

// Packs the records of a document. Values that do not convert are reported
// and packed as 65535; an absent attribute throws Error naming the document,
// the attribute and the record (counted from 1).
PackedTable pack_table(const std::vector<pugi::xml_node>& records, const RecordLayout& layout,
                       Messages& messages);

// Reads and packs the layout's document in the project folder; a missing one is
// reported and gives no table. An unreadable document throws Error naming it.
std::optional<PackedTable> read_table(const std::filesystem::path& project_dir,
                                      const RecordLayout& layout, Messages& messages);

// Copies the table into the bank at start, first group first, and returns its
// directory entry. The caller has checked that it fits.
TableEntry place_table(const PackedTable& table, BankImages::Bank& bank, std::size_t start);

}  // namespace fenwarp
