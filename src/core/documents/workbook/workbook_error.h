#pragma once

#include "core/error.h"

namespace fenwarp {

// A workbook that cannot be opened or read, a query the layer does not know,
// a field outside the sheet.
class WorkbookError : public Error {
  public:
    using Error::Error;
};

}  // namespace fenwarp
