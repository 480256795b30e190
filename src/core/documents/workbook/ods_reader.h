#pragma once

#include "core/documents/workbook/workbook_reader.h"

namespace fenwarp {

// The .ods reader: the tables of the container's content part, repeated rows
// and cells taken as often as they repeat. Texts as the paragraphs of a cell
// hold them (spaces, tabs and line breaks restored), numbers in their text
// form, booleans "1" or "0", formulas through the value the file holds for
// them; dates, times, errors and formulas without a value are refused.
class OdsReader : public WorkbookReader {
  public:
    WorkbookData read(const WorkbookFile& file) const override;
};

}  // namespace fenwarp
