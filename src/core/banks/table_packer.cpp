#include "core/banks/table_packer.h"

#include <algorithm>

#include "core/banks/bank_bytes.h"
#include "core/banks/bank_document.h"
#include "core/banks/bank_value.h"
#include "core/banks/record_reader.h"

namespace fenwarp {
namespace {

std::string_view attribute_of(RecordReader& record, const RecordLayout& layout,
                              const std::string& name, std::size_t number) {
    std::optional<std::string_view> value = record.attribute(name.c_str());
    if (!value) {
        bank_document_error(layout.document,
                            "missing attribute " + name + " in record " + std::to_string(number));
    }
    return *value;
}

// Converts the record's fields in layout order and appends them to its group.
void pack_record(pugi::xml_node node, const RecordLayout& layout, std::size_t number,
                 PackedTable& table, Messages& messages) {
    RecordReader record(node);
    std::vector<std::uint16_t> values;
    values.reserve(layout.fields.size());
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        std::string_view text = attribute_of(record, layout, layout.fields[i].attribute, number);
        if (i == 0 && layout.skip_when_first_empty && text.empty()) return;
        values.push_back(bank_value(text, messages));
    }
    if (layout.key_field && values[*layout.key_field] == 0) return;

    bool bit_set = (values[layout.group_field] & layout.group_mask) != 0;
    std::vector<std::uint8_t>& group =
        bit_set == layout.first_group_when_set ? table.first : table.second;
    std::size_t at = group.size();
    group.resize(at + layout.record_size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        put_bytes(group.data() + at, values[i], layout.fields[i].width);
        at += layout.fields[i].width;
    }
}

}  // namespace

PackedTable pack_table(const std::vector<pugi::xml_node>& records, const RecordLayout& layout,
                       Messages& messages) {
    PackedTable table;
    table.record_size = layout.record_size();
    for (std::size_t i = 0; i < records.size(); ++i) {
        pack_record(records[i], layout, i + 1, table, messages);
    }
    return table;
}

std::optional<PackedTable> read_table(const std::filesystem::path& project_dir,
                                      const RecordLayout& layout, Messages& messages) {
    std::optional<BankDocument> document =
        BankDocument::load(project_dir, layout.document, layout.missing_message, messages);
    if (!document) return std::nullopt;
    return pack_table(document->records(), layout, messages);
}

TableEntry place_table(const PackedTable& table, BankImages::Bank& bank, std::size_t start) {
    std::copy(table.first.begin(), table.first.end(), bank.begin() + static_cast<long>(start));
    const std::size_t second_offset = start + table.first.size();
    std::copy(table.second.begin(), table.second.end(),
              bank.begin() + static_cast<long>(second_offset));
    return TableEntry{static_cast<std::uint16_t>(start),
                      static_cast<std::uint16_t>(table.first_count()),
                      static_cast<std::uint16_t>(second_offset),
                      static_cast<std::uint16_t>(table.second_count())};
}

}  // namespace fenwarp
