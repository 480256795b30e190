#include "core/documents/table_editors.h"

#include "core/documents/emcyword/emcy_word_editor.h"
#include "core/documents/sdo/sdo_editor.h"
#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

std::unique_ptr<TableEditor> make_table_editor(const TableDescription& table) {
    if (&table == &sdo_table()) return std::make_unique<SdoEditor>();
    if (&table == &emcy_word_table()) return std::make_unique<EmcyWordEditor>();
    return nullptr;
}

}  // namespace fenwarp
