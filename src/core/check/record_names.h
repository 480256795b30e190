#pragma once

#include <string>

#include "core/check/checked_project.h"
#include "core/check/finding.h"

namespace fenwarp {

// The caption of a page of the table's dialog.
const char* page_caption(const TableDescription& table, int page);

// A record as its dialog shows it: "N° 3" in the grids, "W2" in the word
// trees, "entry 1 (ID 5)" in the EMCY lists.
std::string record_label(const CheckedTable& table, const CheckedRecord& record);

// A finding on one field of a record, placed where its dialog shows it.
Finding record_finding(const CheckedTable& table, const CheckedRecord& record, std::string field,
                       Severity severity, std::string reason);

}  // namespace fenwarp
