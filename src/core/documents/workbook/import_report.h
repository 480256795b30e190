#pragma once

#include "core/documents/workbook/table_import.h"
#include "core/messages.h"

namespace fenwarp {

// What a table dialog tells the user after an import. Imports end silently,
// the pages showing what was taken, except where the user has to change the
// workbook: a cell without a value to take (a formula the file holds no value
// for, a date, an error), or a file that is no readable workbook (damaged,
// truncated, a zip bomb, a zip without a spreadsheet).
inline void report_import(const ImportResult& result, Messages& messages) {
    if (result.status == ImportStatus::RefusedCell || result.status == ImportStatus::Unreadable) {
        messages.show(result.reason);
    }
}

}  // namespace fenwarp
