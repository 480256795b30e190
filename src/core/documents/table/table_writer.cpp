#include "core/documents/table/table_writer.h"

#include "core/documents/xml_document.h"

namespace fenwarp {

void write_table_document(const TableDescription& table, const std::vector<TableRecord>& records,
                          const std::filesystem::path& file) {
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
