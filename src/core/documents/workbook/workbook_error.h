#pragma once

#include "core/error.h"

namespace fenwarp {

// A workbook that cannot be opened or read, a query the layer does not know,
// a field outside the sheet.
class WorkbookError : public Error {
  public:
    using Error::Error;
};

// A cell the import cannot take as text: a formula whose value the file does
// not hold, a date, an error. The user has to change the workbook.
class RefusedCellError : public WorkbookError {
  public:
    using WorkbookError::WorkbookError;
};

}  // namespace fenwarp
