#include "core/documents/table_editors.h"

#include "core/documents/emcy/emcy_editor.h"
#include "core/documents/pdo/pdo_editor.h"
#include "core/documents/emcyword/emcy_word_editor.h"
#include "core/documents/sdo/sdo_editor.h"
#include "core/documents/sdopdo/stored_pdo_editor.h"
#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

std::unique_ptr<TableEditor> make_table_editor(const TableDescription& table) {
    if (&table == &sdo_table()) return std::make_unique<SdoEditor>();
    if (&table == &pdo_table()) return std::make_unique<PdoEditor>();
    if (&table == &emcy_table()) return std::make_unique<EmcyEditor>();
    if (&table == &stored_pdo_table()) return std::make_unique<StoredPdoEditor>();
    if (&table == &emcy_word_table()) return std::make_unique<EmcyWordEditor>();
    return nullptr;
}

}  // namespace fenwarp
