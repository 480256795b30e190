#include "core/banks/record_layouts.h"

namespace fenwarp {
namespace {

std::vector<Field> emcy_word_fields() {
    std::vector<Field> fields = {{"index_addrm", 2}, {"subindex", 1}, {"extdata", 1}, {"devid", 1}};
    for (int bit = 0; bit < 16; ++bit) {
        const std::string prefix = "bit" + std::to_string(bit);
        for (const char* suffix : {"_b0", "_b1", "_poscomp"})
            fields.push_back({prefix + suffix, 1});
    }
    return fields;
}

}  // namespace

std::size_t RecordLayout::record_size() const {
    std::size_t size = 0;
    for (const Field& field : fields) size += field.width;
    return size;
}

// conf bit 0 is the direction: clear = request arrives on CAN 0.
const RecordLayout& sdo_layout() {
    static const RecordLayout layout{.document = "sdo.xml",
                                     .missing_message = "File SDO xml not found",
                                     .fields = {{"conf", 1},
                                                {"IndexA", 2},
                                                {"SubindexA", 1},
                                                {"devIDB", 1},
                                                {"IndexB", 2},
                                                {"SubindexB", 1},
                                                {"nbyteB", 1}},
                                     .group_field = 0,
                                     .group_mask = 0x01,
                                     .first_group_when_set = false,
                                     .key_field = 1,
                                     .skip_when_first_empty = true};
    return layout;
}

// nrpdo bit 7 is the direction: clear = a PDO of the Can0 tab.
const RecordLayout& stored_pdo_layout() {
    static const RecordLayout layout{
        .document = "sdopdo.xml",
        .missing_message = "File SDO PDO xml not found",
        .fields = {{"index", 2}, {"subindex", 1}, {"nrpdo", 1}, {"poscomp", 1}},
        .group_field = 2,
        .group_mask = 0x80,
        .first_group_when_set = false,
        .key_field = std::nullopt};
    return layout;
}

// bypass_set bit 5 is the direction: clear = EMCY from CAN 0.
const RecordLayout& emcy_layout() {
    static const RecordLayout layout{.document = "emcydef.xml",
                                     .missing_message = "File EMCY xml not found",
                                     .fields = {{"id_dev", 1},
                                                {"mask_eq_ec", 2},
                                                {"mask_eq_er", 1},
                                                {"mask_eq_m1", 2},
                                                {"mask_eq_m2", 2},
                                                {"mask_eq_m3", 1},
                                                {"enmask_eq_ec", 2},
                                                {"enmask_eq_er", 1},
                                                {"enmask_eq_m1", 2},
                                                {"enmask_eq_m2", 2},
                                                {"enmask_eq_m3", 1},
                                                {"bypass_set", 1}},
                                     .group_field = 11,
                                     .group_mask = 0x20,
                                     .first_group_when_set = false,
                                     .key_field = std::nullopt};
    return layout;
}

// The gateway takes the words with extdata bit 0 set (Can1 page) as the first
// group, whatever order the document lists them in.
const RecordLayout& emcy_word_layout() {
    static const RecordLayout layout{.document = "emcyword.xml",
                                     .missing_message = "File EMCY Word xml not found",
                                     .fields = emcy_word_fields(),
                                     .group_field = 2,
                                     .group_mask = 0x01,
                                     .first_group_when_set = true,
                                     .key_field = 0};
    return layout;
}

// en_bypass bit 1 set = from CAN 0 to CAN 1, the first group.
const RecordLayout& pdo_layout() {
    static const RecordLayout layout{.document = "rpdodef.xml",
                                     .missing_message = "File reader PDO xml not found",
                                     .fields = {{"cobid", 2},
                                                {"id_dev_orig", 1},
                                                {"en_bypass", 1},
                                                {"posind", 1},
                                                {"n_tpdo", 1}},
                                     .group_field = 2,
                                     .group_mask = 0x02,
                                     .first_group_when_set = true,
                                     .key_field = 0};
    return layout;
}

}  // namespace fenwarp
