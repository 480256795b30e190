#pragma once

// Projects generated from the record layouts, so every table document is
// filled whatever attributes its description lists.

#include <cstdint>
#include <string>
#include <vector>

#include "bank_test_project.h"
#include "core/banks/bank_tables.h"
#include "core/documents/table/table_description.h"

namespace fenwarp::test {

// Records per table, in the order of bank_tables(): SDO, stored PDO, EMCY,
// EMCY word, PDO.
struct TableSizes {
    int sdo, stored, emcy, words, pdos;
    // Also write records the compile leaves out (empty conf, key 0).
    bool with_left_out = false;
};

class RowGenerator {
  public:
    explicit RowGenerator(std::uint32_t seed) : state_(seed) {}

    // A value text in one of the forms the documents hold: decimal, 0x or $
    // hexadecimal, with blanks around, negative or wider than its field.
    std::string value() {
        const std::uint32_t v = next() & 0xFFFF;
        switch (next() % 6) {
            case 0:
                return std::to_string(v);
            case 1:
                return "0x" + hex(v);
            case 2:
                return "$" + hex(v & 0xFF);
            case 3:
                return " " + std::to_string(v & 0x7F) + " ";
            case 4:
                return "-" + std::to_string(v & 0xFF);
            default:
                return "0x1" + hex(v);  // cut to the field
        }
    }
    // Never converts to 0 in its low 16 bits.
    std::string key() { return "0x" + hex(1 + next() % 0xFFFE); }
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }

  private:
    static std::string hex(std::uint32_t v) {
        static const char digits[] = "0123456789ABCDEF";
        std::string text;
        do {
            text.insert(text.begin(), digits[v & 0xF]);
            v >>= 4;
        } while (v != 0);
        return text;
    }
    std::uint32_t state_;
};

// `count` rows every one of which the compile keeps; with `left_out`, every
// fifth row is one it leaves out besides.
inline std::vector<std::string> generated_rows(const RecordLayout& layout, int count, bool left_out,
                                               RowGenerator& gen) {
    const TableDescription& table = *layout.table;
    std::vector<std::string> rows;
    for (int i = 0; i < count; ++i) {
        Attributes attributes;
        for (std::size_t f = 0; f < table.field_count(); ++f) {
            std::string value = f < layout.fields.size() ? gen.value() : "m" + std::to_string(i);
            if (layout.key_field && f == *layout.key_field) value = gen.key();
            attributes.emplace_back(table.attributes[f], value);
        }
        rows.push_back(row(attributes));
        if (left_out && i % 5 == 0) {
            if (layout.key_field) {
                attributes[*layout.key_field].second = "0x10000";  // converts to 0
            } else if (layout.skip_when_first_empty) {
                attributes[0].second = "";
            } else {
                continue;
            }
            rows.push_back(row(attributes));
        }
    }
    return rows;
}

// Writes the six documents of a generated project.
inline void write_generated_project(const std::filesystem::path& dir, const TableSizes& sizes,
                                    std::uint32_t seed = 1) {
    RowGenerator gen(seed);
    write_file(dir / "pargen.xml",
               "<ParametriGenerali><idA>5</idA><BoudA>125</BoudA><idB>7</idB><BoudB>500</BoudB>"
               "<timeoutsdo>0x3E8</timeoutsdo><baudmodbus>19200</baudmodbus><parity>2</parity>"
               "<ser>1</ser><devid>9</devid></ParametriGenerali>");
    const int counts[] = {sizes.sdo, sizes.stored, sizes.emcy, sizes.words, sizes.pdos};
    for (std::size_t t = 0; t < bank_tables().size(); ++t) {
        const RecordLayout& layout = *bank_tables()[t].layout;
        const std::string root = layout.table->base_name;
        write_file(dir / (root + ".xml"),
                   document(root, generated_rows(layout, counts[t], sizes.with_left_out, gen)));
    }
}

}  // namespace fenwarp::test
