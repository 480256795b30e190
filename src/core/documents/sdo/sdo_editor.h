#pragma once

#include "core/documents/table/grid_table_editor.h"

namespace fenwarp {

// State of the SDO access dialog: one grid per direction. sga holds the
// requests arriving on CAN 0, sgb those arriving on CAN 1. The grids keep what
// they hold between showings; a dialog never shown holds no data rows. A save
// takes each page's rows down to the first with an empty RW cell, sorted by
// virtual index and subindex; a missing sdo.xml loads silently.
class SdoEditor : public GridTableEditor {
  public:
    // Shown when sdo.xml holds more rows of one direction than a page has.
    static constexpr const char* page_full_message =
        "Too many rows in file XML: each page holds 1500, the rest was not loaded";

    SdoEditor();

  protected:
    GridCode document_code(std::int32_t conf) const override;
    std::string document_code_text(bool rw, int direction) const override;
    GridCode sheet_code(std::int32_t conf) const override { return document_code(conf); }
    std::string csv_code_text(bool rw, int direction) const override {
        return document_code_text(rw, direction);
    }
    void order(std::vector<TableRecord>& records, int direction) const override;
    bool reports_missing_document() const override { return false; }
};

}  // namespace fenwarp
