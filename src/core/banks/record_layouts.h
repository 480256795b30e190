#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace fenwarp {

struct TableDescription;

// One packed value: the attribute it comes from and its width in bytes.
struct Field {
    std::string attribute;
    std::size_t width;
};

// How the records of one table document become bank records, and how the
// gateway tells the table's two groups apart.
struct RecordLayout {
    const TableDescription* table;  // the document's description
    const char* document;           // file name in the project folder
    const char* missing_message;    // shown when the document is not there
    std::vector<Field> fields;      // in record order
    std::size_t group_field;        // index of the field holding the group bit
    std::uint16_t group_mask;
    bool first_group_when_set;
    // A record whose key converts to 0 is no entry for the gateway.
    std::optional<std::size_t> key_field;
    // A record whose first field is the empty text is no entry either.
    bool skip_when_first_empty = false;

    std::size_t record_size() const;
};

const RecordLayout& sdo_layout();         // sdo.xml, bank 1
const RecordLayout& stored_pdo_layout();  // sdopdo.xml, bank 1
const RecordLayout& emcy_layout();        // emcydef.xml, bank 2
const RecordLayout& emcy_word_layout();   // emcyword.xml, bank 2
const RecordLayout& pdo_layout();         // rpdodef.xml, bank 2

}  // namespace fenwarp
