#include "core/banks/decoded_listing.h"

#include "core/banks/decoded_text.h"
#include "core/documents/pargen/pargen_editor.h"

namespace fenwarp {
namespace {

void append_parameters(std::string& out, const CommParameters& parameters) {
    out += "Parameter block (pargen.xml):\n";
    const std::array<std::string, 9> texts = parameter_texts(parameters);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += std::string("  ") + PargenEditor::element_names[i] + " " + texts[i] + "\n";
    }
}

void append_directory(std::string& out, const DecodedBanks& banks) {
    out += "Table directory:\n";
    for (const DecodedTable& table : banks.tables) {
        const TableEntry& e = table.entry;
        out += std::string("  ") + table.layout().document + " (bank " +
               std::to_string(table.table->bank) + "): start " + std::to_string(e.start) +
               ", first group " + std::to_string(e.first_count) + ", second group " +
               std::to_string(e.second_count) + " at " + std::to_string(e.second_offset) + "\n";
    }
}

void append_records(std::string& out, const DecodedTable& table) {
    const std::size_t count = table.records.size();
    out += std::string(table.layout().document) + ": " + std::to_string(count) +
           (count == 1 ? " record\n" : " records\n");
    for (std::size_t r = 0; r < table.records.size(); ++r) {
        if (r == 0 && table.entry.first_count > 0) out += "  first group:\n";
        if (r == table.entry.first_count) out += "  second group:\n";
        out += "  " + std::to_string(r + 1) + ": " + record_text(table, r) + "\n";
    }
}

}  // namespace

std::string record_text(const DecodedTable& table, std::size_t record) {
    const std::vector<Field>& fields = table.layout().fields;
    std::string text;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (f > 0) text += ' ';
        text += fields[f].attribute + "=" + field_text(fields[f], table.records[record][f]);
    }
    return text;
}

std::string decoded_listing(const DecodedBanks& banks) {
    std::string out;
    append_parameters(out, banks.block.parameters);
    append_directory(out, banks);
    for (const DecodedTable& table : banks.tables) append_records(out, table);
    return out;
}

}  // namespace fenwarp
