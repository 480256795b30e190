#pragma once

#include "core/error.h"

namespace fenwarp {

// A workbook that cannot be opened or read, a query the layer does not know,
// a field outside the sheet.
class WorkbookError : public Error {
  public:
    using Error::Error;
};

// A cell holding a formula: the reader gives no formula results, so the user
// has to replace formulas by values.
class FormulaCellError : public WorkbookError {
  public:
    using WorkbookError::WorkbookError;
};

}  // namespace fenwarp
