#include "core/banks/record_layouts.h"

#include <initializer_list>

#include "core/documents/table/table_catalogue.h"

namespace fenwarp {
namespace {

// The first `widths.size()` attributes of the table, in its order, with their
// packed widths; the names come from the table's description.
std::vector<Field> packed(const TableDescription& table,
                          std::initializer_list<std::size_t> widths) {
    std::vector<Field> fields;
    std::size_t f = 0;
    for (std::size_t width : widths) fields.push_back({table.attributes.at(f++), width});
    return fields;
}

// index_addrm takes two bytes, every other of the 52 attributes one.
std::vector<Field> emcy_word_fields() {
    const TableDescription& table = emcy_word_table();
    std::vector<Field> fields;
    for (const std::string& name : table.attributes) {
        fields.push_back({name, name == "index_addrm" ? 2u : 1u});
    }
    return fields;
}

}  // namespace

std::size_t RecordLayout::record_size() const {
    std::size_t size = 0;
    for (const Field& field : fields) size += field.width;
    return size;
}

// conf bit 0 is the direction: clear = request arrives on CAN 0. The
// mnemonic is not packed.
const RecordLayout& sdo_layout() {
    static const RecordLayout layout{.table = &sdo_table(),
                                     .document = sdo_table().document,
                                     .missing_message = "File SDO xml not found",
                                     .fields = packed(sdo_table(), {1, 2, 1, 1, 2, 1, 1}),
                                     .group_field = sdo_table().direction_field,
                                     .group_mask = 0x01,
                                     .first_group_when_set = false,
                                     .key_field = sdo_table().field_of("IndexA"),
                                     .skip_when_first_empty = true};
    return layout;
}

// nrpdo bit 7 is the direction: clear = a PDO of the Can0 tab.
const RecordLayout& stored_pdo_layout() {
    static const RecordLayout layout{.table = &stored_pdo_table(),
                                     .document = stored_pdo_table().document,
                                     .missing_message = "File SDO PDO xml not found",
                                     .fields = packed(stored_pdo_table(), {2, 1, 1, 1}),
                                     .group_field = stored_pdo_table().direction_field,
                                     .group_mask = 0x80,
                                     .first_group_when_set = false,
                                     .key_field = std::nullopt};
    return layout;
}

// bypass_set bit 5 is the direction: clear = EMCY from CAN 0.
const RecordLayout& emcy_layout() {
    static const RecordLayout layout{
        .table = &emcy_table(),
        .document = emcy_table().document,
        .missing_message = "File EMCY xml not found",
        .fields = packed(emcy_table(), {1, 2, 1, 2, 2, 1, 2, 1, 2, 2, 1, 1}),
        .group_field = emcy_table().direction_field,
        .group_mask = 0x20,
        .first_group_when_set = false,
        .key_field = std::nullopt};
    return layout;
}

// The gateway takes the words with extdata bit 0 set (Can1 page) as the first
// group, whatever order the document lists them in.
const RecordLayout& emcy_word_layout() {
    static const RecordLayout layout{.table = &emcy_word_table(),
                                     .document = emcy_word_table().document,
                                     .missing_message = "File EMCY Word xml not found",
                                     .fields = emcy_word_fields(),
                                     .group_field = emcy_word_table().direction_field,
                                     .group_mask = 0x01,
                                     .first_group_when_set = true,
                                     .key_field = emcy_word_table().field_of("index_addrm")};
    return layout;
}

// en_bypass bit 1 set = from CAN 0 to CAN 1, the first group.
const RecordLayout& pdo_layout() {
    static const RecordLayout layout{.table = &pdo_table(),
                                     .document = pdo_table().document,
                                     .missing_message = "File reader PDO xml not found",
                                     .fields = packed(pdo_table(), {2, 1, 1, 1, 1}),
                                     .group_field = pdo_table().direction_field,
                                     .group_mask = 0x02,
                                     .first_group_when_set = true,
                                     .key_field = pdo_table().field_of("cobid")};
    return layout;
}

}  // namespace fenwarp
