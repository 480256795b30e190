#pragma once

#include <vector>

#include "core/documents/table/table_record.h"

namespace fenwarp::pdo {

// Puts one page's records (grid rows 1 to n in order) in ascending cobid
// order, compared as signed 32-bit values; among equal cobids the row lower in
// the grid comes later. Every row is written once, cobids above 0x999999
// included. Throws Error naming the document, the row and the field when a
// cobid does not convert; the records are left as they were then.
void order_by_cobid(std::vector<TableRecord>& records, int direction);

}  // namespace fenwarp::pdo
