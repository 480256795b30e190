#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

namespace {

std::vector<std::string> emcy_word_attributes() {
    std::vector<std::string> names = {"index_addrm", "subindex", "extdata", "devid"};
    for (int bit = 0; bit < 16; ++bit) {
        for (const char* suffix : {"_b0", "_b1", "_poscomp"}) {
            names.push_back("bit" + std::to_string(bit) + suffix);
        }
    }
    return names;
}

}  // namespace

// conf: bit 0 the direction (clear: the request arrives on CAN 0), bit 4 RW.
const TableDescription& sdo_table() {
    static const TableDescription table{
        .base_name = "sdo",
        .document = "sdo.xml",
        .attributes = {"conf", "IndexA", "SubindexA", "devIDB", "IndexB", "SubindexB", "nbyteB",
                       "mnemonico"},
        .headings = {"conf", "Index", "Subindex", "devID", "Index", "Subindex", "nbyte",
                     "mnemonico"},
        .direction_field = 0,
        .optional = {"mnemonico"},
        .pages_in_export = true,
        .page_records = 1500};
    return table;
}

// en_bypass: bit 1 the direction (set: from CAN 0 to CAN 1), bit 0 translate.
const TableDescription& pdo_table() {
    static const TableDescription table{
        .base_name = "rpdodef",
        .document = "rpdodef.xml",
        .attributes = {"cobid", "id_dev_orig", "en_bypass", "posind", "n_tpdo"},
        .headings = {"cobid", "id_dev_orig", "en_bypass", "posind", "n_tpdo"},
        .direction_field = 2,
        .optional = {},
        .pages_in_export = true,
        .page_records = 10};
    return table;
}

// nrpdo: bit 7 the tab (clear: "Can0"), bits 0 to 6 the PDO's position.
const TableDescription& stored_pdo_table() {
    static const TableDescription table{.base_name = "sdopdo",
                                        .document = "sdopdo.xml",
                                        .attributes = {"index", "subindex", "nrpdo", "poscomp"},
                                        .headings = {"index", "subindex", "nrpdo", "poscomp"},
                                        .direction_field = 2,
                                        .optional = {}};
    return table;
}

// bypass_set: bit 0 enable, bits 1 to 4 the alias, bit 5 the direction.
const TableDescription& emcy_table() {
    static const std::vector<std::string> names = {"id_dev",       "mask_eq_ec",   "mask_eq_er",
                                                   "mask_eq_m1",   "mask_eq_m2",   "mask_eq_m3",
                                                   "enmask_eq_ec", "enmask_eq_er", "enmask_eq_m1",
                                                   "enmask_eq_m2", "enmask_eq_m3", "bypass_set"};
    static const TableDescription table{.base_name = "emcydef",
                                        .document = "emcydef.xml",
                                        .attributes = names,
                                        .headings = names,
                                        .direction_field = 11,
                                        .optional = {}};
    return table;
}

// extdata: 0 the Can0 page, 1 the Can1 page.
const TableDescription& emcy_word_table() {
    static const std::vector<std::string> names = emcy_word_attributes();
    static const TableDescription table{.base_name = "emcyword",
                                        .document = "emcyword.xml",
                                        .attributes = names,
                                        .headings = names,
                                        .direction_field = 2,
                                        .optional = {}};
    return table;
}

const std::vector<const TableDescription*>& table_catalogue() {
    static const std::vector<const TableDescription*> list = {
        &sdo_table(), &pdo_table(), &stored_pdo_table(), &emcy_table(), &emcy_word_table()};
    return list;
}

const TableDescription* find_table(std::string_view base_name) {
    for (const TableDescription* table : table_catalogue()) {
        if (base_name == table->base_name) return table;
    }
    return nullptr;
}

}  // namespace fenwarp
