#include "core/check/checked_project.h"

#include <map>

#include "core/banks/bank_document.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_reader.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

// Which page of its dialog a record's direction code puts it on: the page
// shown first holds the records whose direction bit equals first_page_bit.
struct PageRule {
    std::uint16_t mask;
    bool first_page_bit;
};

PageRule page_rule(const TableDescription& table) {
    if (&table == &sdo_table()) return {0x01, false};
    if (&table == &pdo_table()) return {0x02, true};
    if (&table == &stored_pdo_table()) return {0x80, false};
    if (&table == &emcy_table()) return {0x20, false};
    return {0x01, false};  // EMCY words: extdata 0 is the Can0 page
}

CheckedTable read_table(const std::filesystem::path& project_dir, const TableDescription& table,
                        const RecordLayout& layout) {
    CheckedTable checked{&table, &layout, {}};
    const PageRule rule = page_rule(table);
    // Positions count per page; a stored entry's, per PDO, as its list shows it.
    std::map<int, std::size_t> counters;
    read_table_document(
        table, join_path(project_dir, table.document),
        [&](std::size_t number, TableRecord&& fields) {
            // The compile leaves out a record whose first field is empty.
            if (layout.skip_when_first_empty && fields.front().empty()) return;
            const std::uint16_t code = field_value(fields[table.direction_field]).packed();
            const bool bit = (code & rule.mask) != 0;
            const int page = bit == rule.first_page_bit ? 0 : 1;
            const int list = &table == &stored_pdo_table() ? page * 128 + (code & 0x7F) : page;
            checked.records.push_back({std::move(fields), number, page, counters[list]++});
        });
    return checked;
}

std::optional<std::vector<std::string>> read_pargen(const std::filesystem::path& project_dir) {
    MessageRecorder silent;
    std::optional<BankDocument> document =
        BankDocument::load(project_dir, pargen_document_name, "", silent);
    if (!document) return std::nullopt;
    if (document->records().size() < 9) {
        bank_document_error(pargen_document_name, "9 elements expected, found " +
                                                      std::to_string(document->records().size()));
    }
    std::vector<std::string> texts;
    for (const pugi::xml_node& element : document->records()) {
        texts.emplace_back(element.text().get());
    }
    return texts;
}

}  // namespace

FieldValue CheckedTable::value(const CheckedRecord& record, std::string_view attribute) const {
    return field_value(text(record, attribute));
}

const std::string& CheckedTable::text(const CheckedRecord& record,
                                      std::string_view attribute) const {
    return record.fields.at(table->field_of(attribute));
}

CheckedProject read_checked_project(const std::filesystem::path& project_dir) {
    CheckedProject project;
    project.sdo = read_table(project_dir, sdo_table(), sdo_layout());
    project.stored_pdo = read_table(project_dir, stored_pdo_table(), stored_pdo_layout());
    project.emcy = read_table(project_dir, emcy_table(), emcy_layout());
    project.emcy_word = read_table(project_dir, emcy_word_table(), emcy_word_layout());
    project.pdo = read_table(project_dir, pdo_table(), pdo_layout());
    project.pargen = read_pargen(project_dir);
    return project;
}

}  // namespace fenwarp
