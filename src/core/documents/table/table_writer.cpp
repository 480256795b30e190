#include "core/documents/table/table_writer.h"

#include <cstdio>
#include <optional>

#include "core/documents/table/xml_characters.h"
#include "core/documents/xml_document.h"
#include "core/error.h"

namespace fenwarp {

void check_record_characters(const TableDescription& table, const TableRecord& record,
                             const std::string& label) {
    for (std::size_t f = 0; f < record.size() && f < table.field_count(); ++f) {
        std::optional<char32_t> bad = forbidden_xml_character(record[f]);
        if (!bad) continue;
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*bad));
        throw Error(std::string(table.document) + ": " + label + ", field " + table.attributes[f] +
                    " holds the character " + code +
                    ", which an XML document cannot hold; nothing was saved");
    }
}

void write_table_document(const TableDescription& table, const std::vector<TableRecord>& records,
                          const std::filesystem::path& file) {
    // Refused before anything is written: no XML parser reads such a
    // document back.
    for (std::size_t r = 0; r < records.size(); ++r) {
        check_record_characters(table, records[r], "record " + std::to_string(r + 1));
    }
    XmlDocument document;
    XmlElement root = document.create_root(table.base_name);
    for (const TableRecord& record : records) {
        XmlElement row = root.append_element("row");
        for (std::size_t f = 0; f < table.field_count(); ++f) {
            row.set_attribute(table.attributes[f].c_str(), f < record.size() ? record[f] : "");
        }
    }
    document.save(file);
}

}  // namespace fenwarp
