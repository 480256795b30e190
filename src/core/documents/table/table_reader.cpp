#include "core/documents/table/table_reader.h"

#include "core/documents/xml_document.h"
#include "core/file_system.h"

namespace fenwarp {

namespace {

TableRecord read_record(const TableDescription& table, const XmlElement& element,
                        std::size_t number) {
    TableRecord record(table.field_count());
    for (std::size_t f = 0; f < table.field_count(); ++f) {
        const char* name = table.attributes[f].c_str();
        if (element.has_attribute(name)) {
            record[f] = element.attribute(name);
        } else if (!table.is_optional(name)) {
            throw XmlReadError(std::string(table.document) + ": record " + std::to_string(number) +
                               " has no attribute " + name);
        }
    }
    return record;
}

}  // namespace

DocumentState read_table_document(
    const TableDescription& table, const std::filesystem::path& file,
    const std::function<void(std::size_t number, TableRecord&& record)>& take) {
    if (!is_file(file)) return DocumentState::Missing;
    XmlDocument document = XmlDocument::load(file);
    std::size_t number = 0;
    for (const XmlElement& element : document.root().children()) {
        ++number;
        take(number, read_record(table, element, number));
    }
    return DocumentState::Read;
}

}  // namespace fenwarp
