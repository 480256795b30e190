#pragma once

#include "core/documents/workbook/workbook_reader.h"

namespace fenwarp {

// The .xlsx reader: the zip container's workbook part for the worksheets in
// order, the shared strings, the styles (to tell dates from numbers) and each
// worksheet's cells. Texts (shared or inline) as they stand, numbers in their
// text form, booleans "1" or "0", formulas through the value the file holds
// for them; dates, errors and formulas without a value are refused.
class XlsxReader : public WorkbookReader {
  public:
    WorkbookData read(const WorkbookFile& file) const override;
};

// Whether a number format code shows a date or a time ("yyyy-mm-dd",
// "[h]:mm"); quoted texts, escaped characters and colours do not count.
bool is_date_format(std::string_view code);

}  // namespace fenwarp
