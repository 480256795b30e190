#pragma once

#include "core/documents/workbook/workbook_connection.h"
#include "core/documents/workbook/workbook_query.h"

namespace fenwarp {

// The one connection and the one query every table import shares.
struct WorkbookAccess {
    WorkbookConnection connection;
    WorkbookQuery query{connection};
};

}  // namespace fenwarp
