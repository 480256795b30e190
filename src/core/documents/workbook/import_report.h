#pragma once

#include "core/documents/workbook/table_import.h"
#include "core/messages.h"

namespace fenwarp {

// What a table dialog tells the user after an import. Imports end silently,
// the pages showing what was taken, except where the user has to change the
// workbook: a formula cell, whose value cannot be read.
inline void report_import(const ImportResult& result, Messages& messages) {
    if (result.status == ImportStatus::Formula) messages.show(result.reason);
}

}  // namespace fenwarp
