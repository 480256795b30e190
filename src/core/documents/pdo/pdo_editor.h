#pragma once

#include "core/documents/table/grid_table_editor.h"

namespace fenwarp {

// State of the PDO translation dialog: one grid per direction, ten rows each.
// sga holds the PDOs from CAN 0 to CAN 1 (en_bypass bit 1 set), sgb those from
// CAN 1 to CAN 0; column 3 shows the translate flag, en_bypass bit 0. A save
// takes each page's rows down to the first with an empty cobid, in ascending
// cobid order, equal cobids in reverse grid order. The stored PDO map names a
// PDO by its place in that order, so the order is part of the document.
class PdoEditor : public GridTableEditor {
  public:
    PdoEditor();

  protected:
    GridCode document_code(std::int32_t en_bypass) const override;
    std::string document_code_text(bool translate, int direction) const override;
    // The sheet's third column is the reverse: bit 1 clear is CAN 0 to CAN 1.
    GridCode sheet_code(std::int32_t code) const override;
    std::string csv_code_text(bool translate, int direction) const override;
    void order(std::vector<TableRecord>& records, int direction) const override;
    bool reports_missing_document() const override { return true; }
};

}  // namespace fenwarp
