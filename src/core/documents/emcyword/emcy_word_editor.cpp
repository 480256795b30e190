#include "core/documents/emcyword/emcy_word_editor.h"

#include <cstdint>

#include "core/documents/csv_export.h"
#include "core/documents/document_messages.h"
#include "core/documents/emcyword/emcy_word_messages.h"
#include "core/documents/emcyword/emcy_word_order.h"
#include "core/documents/emcyword/emcy_word_record.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_reader.h"
#include "core/documents/table/table_writer.h"
#include "core/documents/xml_document.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

constexpr std::int64_t poscomp_range = 65536;

std::int64_t modulo(std::int64_t value) {
    const std::int64_t rest = value % poscomp_range;
    return rest < 0 ? rest + poscomp_range : rest;
}

WordFields word_fields_of(const TClWEmcy& word) {
    return {word.index_addrm, word.subindex, word.devid};
}

// What the bit fields show for a bit: its masks, and its EMCY byte numbers
// while its poscomp converts (empty fields otherwise, as for a new word).
BitFields bit_fields_of(const ClEbm& bit) {
    BitFields fields{bit.b0, bit.b1, "", ""};
    if (const std::optional<std::int32_t> poscomp = to_int(bit.poscomp)) {
        const std::int64_t value = modulo(*poscomp);
        fields.emcy_byte1 = std::to_string(value / 16);
        fields.emcy_byte2 = std::to_string(value % 16);
    }
    return fields;
}

}  // namespace

const TableDescription& EmcyWordEditor::table() const {
    return emcy_word_table();
}

void EmcyWordEditor::reset() {
    for (EmcyWordPage& page : pages) {
        page.words.clear();
        page.tree.clear();
        page.word_fields = {};
        page.bit_fields = {};
    }
}

void EmcyWordEditor::show_node(int page, std::optional<std::size_t> node) {
    EmcyWordPage& p = pages.at(static_cast<std::size_t>(page));
    p.tree.select(node);
    if (!p.tree.selected()) return;
    const std::size_t n = *p.tree.selected();
    const std::size_t word = word_of_node(n);
    const std::optional<std::size_t> bit = bit_of_node(n);
    word_group_caption = "Word n°" + std::to_string(word) + " Emcy Define ";
    bit_group_caption = "Mask BIT n°" + (bit ? std::to_string(*bit) : "") + " Define";
    p.word_fields = word_fields_of(p.words.at(word));
    p.bit_fields = bit ? bit_fields_of(p.words.at(word).bits.at(*bit)) : BitFields{};
}

bool EmcyWordEditor::word_check(int page, const WordFields& key,
                                std::optional<std::size_t> modified) const {
    if (key.index_addrm.empty() || key.subindex.empty() || key.devid.empty()) return false;
    const std::vector<TClWEmcy>& words = pages.at(static_cast<std::size_t>(page)).words;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i != modified && word_fields_of(words[i]) == key) return false;
    }
    return true;
}

std::optional<int> EmcyWordEditor::new_word(int page, Messages& messages) {
    EmcyWordPage& p = pages.at(static_cast<std::size_t>(page));
    if (!word_check(page, p.word_fields)) {
        messages.show(emcy_word_messages::index_not_valid);
        return std::nullopt;
    }
    TClWEmcy word;
    word.index_addrm = p.word_fields.index_addrm;
    word.subindex = p.word_fields.subindex;
    word.devid = p.word_fields.devid;
    const std::optional<int> last = p.tree.last_word_number();
    const int number = last ? *last + 1 : 0;
    p.tree.add_word(number);
    p.words.push_back(std::move(word));
    return number;
}

WordEdit EmcyWordEditor::modify(int page, Messages& messages) {
    EmcyWordPage& p = pages.at(static_cast<std::size_t>(page));
    if (!p.tree.selected()) return WordEdit::Nothing;
    const std::size_t n = *p.tree.selected();
    TClWEmcy& word = p.words.at(word_of_node(n));
    const std::optional<std::size_t> bit = bit_of_node(n);
    if (!bit) {
        if (!word_check(page, p.word_fields, word_of_node(n))) {
            messages.show(emcy_word_messages::index_not_valid);
            return WordEdit::Refused;
        }
        word.index_addrm = p.word_fields.index_addrm;
        word.subindex = p.word_fields.subindex;
        word.devid = p.word_fields.devid;
        return WordEdit::Stored;
    }
    ClEbm& definition = word.bits.at(*bit);
    definition.b0 = p.bit_fields.b0;
    definition.b1 = p.bit_fields.b1;
    for (const std::string* text : {&p.bit_fields.emcy_byte1, &p.bit_fields.emcy_byte2}) {
        if (!to_int(*text)) {
            messages.show(emcy_word_messages::not_integer(*text));
            return WordEdit::NotConverted;
        }
    }
    // Byte 2 is added, not masked: 1 and 20 give 36, shown again as 2 and 4.
    const std::int64_t packed =
        std::int64_t{*to_int(p.bit_fields.emcy_byte1)} * 16 + *to_int(p.bit_fields.emcy_byte2);
    definition.poscomp = std::to_string(modulo(packed));
    return WordEdit::Stored;
}

bool EmcyWordEditor::delete_word(int page) {
    EmcyWordPage& p = pages.at(static_cast<std::size_t>(page));
    const std::optional<std::size_t> selected = p.tree.selected();
    if (!selected || bit_of_node(*selected)) return false;
    const std::size_t word = word_of_node(*selected);
    p.words.erase(p.words.begin() + static_cast<long>(word));
    p.tree.remove_word(word);
    if (word < p.words.size()) {
        show_node(page, word_node(word));
    } else if (word > 0) {
        show_node(page, word_node(word - 1));
    }
    return true;
}

void EmcyWordEditor::append(int page, TClWEmcy&& word) {
    EmcyWordPage& p = pages.at(static_cast<std::size_t>(page));
    p.tree.add_word(static_cast<int>(p.words.size()));
    p.words.push_back(std::move(word));
}

LoadResult EmcyWordEditor::load(const std::filesystem::path& file, Messages& messages) {
    reset();
    LoadResult result;
    try {
        auto take = [&](std::size_t number, TableRecord&& record) {
            const RecordPage page = record_page(record);
            if (!page.converts) {
                throw XmlReadError(std::string(table().document) + ": record " +
                                   std::to_string(number) + ": extdata does not convert");
            }
            // A row that names neither page is left out; the next save drops it.
            if (!page.page) return;
            append(*page.page, record_word(record));
            ++result.records;
        };
        if (read_table_document(table(), file, take) == DocumentState::Missing) {
            messages.show(document_messages::not_found);
            result.status = LoadStatus::Missing;
        }
    } catch (const XmlReadError&) {
        messages.show(document_messages::read_error);
        result.status = LoadStatus::Unreadable;
    }
    return result;
}

void EmcyWordEditor::save_document(const std::filesystem::path& file) const {
    write_table_document(table(), document_records(), file);
}

std::vector<TableRecord> EmcyWordEditor::document_records() const {
    std::vector<TableRecord> records;
    for (int page = 0; page < 2; ++page) {
        const std::vector<TClWEmcy>& words = pages[static_cast<std::size_t>(page)].words;
        for (std::size_t i : save_order(words, page))
            records.push_back(word_record(words[i], page));
    }
    return records;
}

void EmcyWordEditor::export_csv(const std::filesystem::path& project_dir) const {
    CsvText csv;
    for (int page = 0; page < 2; ++page) {
        for (const TClWEmcy& word : pages[static_cast<std::size_t>(page)].words) {
            csv.add_line(word_record(word, page));
        }
    }
    csv.save(csv_path(project_dir, table().base_name));
}

ImportResult EmcyWordEditor::import_workbook(const std::filesystem::path& workbook,
                                             WorkbookAccess& access) {
    // A workbook that gives no word leaves the pages as they were.
    const std::array<EmcyWordPage, 2> kept = pages;
    reset();
    std::size_t placed = 0;
    std::vector<SkippedRecord> skipped;
    auto read = [&](const WorkbookQuery& sheet) -> StopReason {
        TableRecord record(table().field_count());
        for (std::size_t f = 0; f < record.size(); ++f) record[f] = sheet.field_text(f);
        const RecordPage page = record_page(record);
        const std::string& extdata = record[table().direction_field];
        if (!page.converts) return "extdata \"" + extdata + "\" does not convert";
        if (!page.page) {
            skipped.push_back({sheet.position() + 1, "extdata " + extdata + " names no page"});
            return std::nullopt;
        }
        append(*page.page, record_word(record));
        ++placed;
        return std::nullopt;
    };
    ImportResult result = import_table(access, workbook, table(), read);
    result.records_taken = placed;  // a record naming neither page is left out
    result.skipped.insert(result.skipped.end(), skipped.begin(), skipped.end());
    if (placed == 0) {
        pages = kept;
        if (result.status == ImportStatus::Completed) {
            result.status = ImportStatus::Stopped;
            result.reason = "no record names the Can0 or the Can1 page (extdata 0 or 1)";
        }
    }
    return result;
}

}  // namespace fenwarp
