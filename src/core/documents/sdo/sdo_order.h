#pragma once

#include <cstdint>
#include <vector>

#include "core/documents/sdo/sdo_table.h"

namespace fenwarp::sdo {

// The key a record sorts by: IndexA, then SubindexA, each reduced to 16 bits;
// a text that does not convert counts as 0.
std::uint32_t sort_key(const TMyrec& record);

// Puts one page's records in ascending key order; equal keys keep their order.
void sort_records(std::vector<TMyrec>& records);

}  // namespace fenwarp::sdo
