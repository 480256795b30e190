#include "core/banks/decoded_text.h"

#include <cstdio>

#include "core/documents/table/table_description.h"

namespace fenwarp {

std::string field_text(const Field& field, std::uint16_t value) {
    if (field.width == 1) return std::to_string(value);
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

TableRecord document_record(const DecodedTable& table, std::size_t record) {
    const RecordLayout& layout = table.layout();
    TableRecord row(layout.table->field_count());
    const std::vector<std::uint16_t>& values = table.records.at(record);
    for (std::size_t f = 0; f < layout.fields.size(); ++f) {
        row[layout.table->field_of(layout.fields[f].attribute)] =
            field_text(layout.fields[f], values[f]);
    }
    return row;
}

std::array<std::string, 9> parameter_texts(const CommParameters& parameters) {
    std::array<std::string, 9> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = std::to_string(parameters[i]);
    return texts;
}

}  // namespace fenwarp
