#include "core/documents/pdo/pdo_editor.h"

#include "core/documents/pdo/pdo_order.h"
#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

namespace {

constexpr std::int32_t direction_bit = 2;  // en_bypass: set = from CAN 0 to CAN 1
constexpr std::int32_t translate_bit = 1;

}  // namespace

PdoEditor::PdoEditor()
    : GridTableEditor(pdo_table(), {"N", "cobid", "id_dev_orig", "en_bypass", "posind", "n_tpdo"}) {
}

GridCode PdoEditor::document_code(std::int32_t en_bypass) const {
    return {(en_bypass & direction_bit) != 0 ? 0 : 1, (en_bypass & translate_bit) != 0};
}

std::string PdoEditor::document_code_text(bool translate, int direction) const {
    return std::to_string((direction == 0 ? direction_bit : 0) + (translate ? translate_bit : 0));
}

GridCode PdoEditor::sheet_code(std::int32_t code) const {
    return {(code & direction_bit) != 0 ? 1 : 0, (code & translate_bit) != 0};
}

std::string PdoEditor::csv_code_text(bool translate, int direction) const {
    return std::string(direction == 0 ? "0" : "1") + (translate ? "1" : "0");
}

void PdoEditor::order(std::vector<TableRecord>& records, int direction) const {
    pdo::order_by_cobid(records, direction);
}

}  // namespace fenwarp
