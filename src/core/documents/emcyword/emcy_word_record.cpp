#include "core/documents/emcyword/emcy_word_record.h"

#include "core/documents/table/table_catalogue.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

// Where each field of a word lies in a record, found by name once.
struct Positions {
    std::size_t index_addrm, subindex, extdata, devid;
    std::array<std::array<std::size_t, 3>, word_bits> bits;  // b0, b1, poscomp

    Positions() {
        const TableDescription& table = emcy_word_table();
        index_addrm = table.field_of("index_addrm");
        subindex = table.field_of("subindex");
        extdata = table.direction_field;
        devid = table.field_of("devid");
        for (std::size_t n = 0; n < word_bits; ++n) {
            const std::string bit = "bit" + std::to_string(n);
            bits[n] = {table.field_of(bit + "_b0"), table.field_of(bit + "_b1"),
                       table.field_of(bit + "_poscomp")};
        }
    }
};

const Positions& positions() {
    static const Positions at;
    return at;
}

}  // namespace

TableRecord word_record(const TClWEmcy& word, int extdata) {
    const Positions& at = positions();
    TableRecord record(emcy_word_table().field_count());
    record[at.index_addrm] = word.index_addrm;
    record[at.subindex] = word.subindex;
    record[at.extdata] = std::to_string(extdata);
    record[at.devid] = word.devid;
    for (std::size_t n = 0; n < word_bits; ++n) {
        record[at.bits[n][0]] = word.bits[n].b0;
        record[at.bits[n][1]] = word.bits[n].b1;
        record[at.bits[n][2]] = word.bits[n].poscomp;
    }
    return record;
}

TClWEmcy record_word(const TableRecord& record) {
    const Positions& at = positions();
    TClWEmcy word;
    word.index_addrm = record.at(at.index_addrm);
    word.subindex = record.at(at.subindex);
    word.devid = record.at(at.devid);
    for (std::size_t n = 0; n < word_bits; ++n) {
        word.bits[n] = {record.at(at.bits[n][0]), record.at(at.bits[n][1]),
                        record.at(at.bits[n][2])};
    }
    return word;
}

RecordPage record_page(const TableRecord& record) {
    const std::optional<std::int32_t> extdata = to_int(record.at(positions().extdata));
    if (!extdata) return {};
    if (*extdata == 0 || *extdata == 1) return {true, *extdata};
    return {true, std::nullopt};
}

}  // namespace fenwarp
