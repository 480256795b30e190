#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/documents/sdo/sdo_table.h"
#include "core/documents/table/table_record.h"

namespace fenwarp::sdo {

// The key a record sorts by: IndexA, then SubindexA, each reduced to 16 bits;
// a text that does not convert counts as 0.
std::uint32_t sort_key(std::span<const std::string> record);

// Puts one page's records in ascending key order; equal keys keep their order.
void sort_records(std::vector<TMyrec>& records);
void sort_records(std::vector<TableRecord>& records);

}  // namespace fenwarp::sdo
