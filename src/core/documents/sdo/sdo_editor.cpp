#include "core/documents/sdo/sdo_editor.h"

#include "core/documents/sdo/sdo_order.h"
#include "core/documents/sdo/sdo_table.h"
#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

SdoEditor::SdoEditor()
    : GridTableEditor(sdo_table(), {sdo::heading_row.begin(), sdo::heading_row.end()}) {}

GridCode SdoEditor::document_code(std::int32_t conf) const {
    return {sdo::direction_of(conf), (conf & sdo::rw_bit) != 0};
}

std::string SdoEditor::document_code_text(bool rw, int direction) const {
    return sdo::conf_text(rw, direction);
}

void SdoEditor::order(std::vector<TableRecord>& records, int /*direction*/) const {
    sdo::sort_records(records);
}

}  // namespace fenwarp
