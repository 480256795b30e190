#include "core/documents/emcy/emcy_editor.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/documents/csv_export.h"
#include "core/documents/document_messages.h"
#include "core/documents/emcy/emcy_order.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_reader.h"
#include "core/documents/table/table_writer.h"
#include "core/documents/xml_document.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

const char* page_caption(int direction) {
    return direction == 0 ? "From CAN 0" : "From CAN 1";
}

TableRecord record_of(const TClEmcy& entry, int direction) {
    TableRecord record(entry.fields.begin(), entry.fields.end());
    record.push_back(emcy::bypass_set_text(entry, direction));
    return record;
}

// The keys a save orders a page by: its list box texts, converted.
std::vector<std::int32_t> page_keys(const EmcyPage& page, int direction) {
    std::vector<std::int32_t> keys;
    keys.reserve(page.items.size());
    for (std::size_t i = 0; i < page.items.size(); ++i) {
        std::optional<std::int32_t> key = to_int(page.items[i]);
        if (!key) {
            throw Error(std::string(emcy_table().document) + " not saved: \"" + page.items[i] +
                        "\" is not a valid integer value (id_dev of entry " +
                        std::to_string(i + 1) + " in the \"" + page_caption(direction) +
                        "\" list)");
        }
        keys.push_back(*key);
    }
    return keys;
}

}  // namespace

const TableDescription& EmcyEditor::table() const {
    return emcy_table();
}

void EmcyEditor::reset() {
    for (EmcyPage& p : pages_) p.clear();
}

void EmcyEditor::show_entry(int direction, std::size_t position) {
    page(direction).show(position);
}

void EmcyEditor::show_first_items() {
    for (EmcyPage& p : pages_) {
        if (!p.list.empty()) p.show(0);
    }
}

bool EmcyEditor::id_allowed(const EmcyPage& p, const std::string& id,
                            const std::string* current) const {
    if (current != nullptr && id == *current) return true;
    if (id.empty()) return false;
    // Compared as texts: "10" and "0xA" are different IDs here.
    return std::find(p.items.begin(), p.items.end(), id) == p.items.end();
}

EntryEdit EmcyEditor::new_entry(int direction, Messages& messages) {
    EmcyPage& p = page(direction);
    const std::string id = p.inputs[0];
    if (!id_allowed(p, id, nullptr)) {
        messages.show(index_not_valid);
        return EntryEdit::Refused;
    }
    p.append(p.entry_from_inputs(), id);
    p.selected = p.items.size() - 1;
    return EntryEdit::Stored;
}

EntryEdit EmcyEditor::modify_entry(int direction, Messages& messages) {
    EmcyPage& p = page(direction);
    if (!p.selected) return EntryEdit::NothingSelected;
    const std::size_t at = *p.selected;
    const std::string id = p.inputs[0];
    if (!id_allowed(p, id, &p.items[at])) {
        messages.show(index_not_valid);
        return EntryEdit::Refused;
    }
    p.list[at] = p.entry_from_inputs();
    p.items[at] = id;
    return EntryEdit::Stored;
}

bool EmcyEditor::delete_entry(int direction) {
    EmcyPage& p = page(direction);
    if (!p.selected) return false;
    const auto at = static_cast<std::ptrdiff_t>(*p.selected);
    p.list.erase(p.list.begin() + at);
    p.items.erase(p.items.begin() + at);
    p.selected.reset();
    return true;
}

LoadResult EmcyEditor::load(const std::filesystem::path& file, Messages& messages) {
    reset();
    const std::size_t bypass_field = table().direction_field;
    LoadResult result;
    auto take = [&](std::size_t number, TableRecord&& record) {
        std::optional<std::int32_t> bypass_set = to_int(record[bypass_field]);
        if (!bypass_set) {
            throw XmlReadError(std::string(table().document) + ": record " +
                               std::to_string(number) + ": " + table().attributes[bypass_field] +
                               " \"" + record[bypass_field] + "\" does not convert");
        }
        const emcy::Bypass bypass = emcy::unpack_bypass_set(*bypass_set);
        TClEmcy entry;
        for (std::size_t f = 0; f < entry.fields.size(); ++f) {
            entry.fields[f] = record[f].empty() ? "0" : std::move(record[f]);
        }
        entry.enable = bypass.enable;
        entry.alias_sel = bypass.alias_sel;
        std::string item = entry.id_dev();
        page(bypass.direction).append(std::move(entry), std::move(item));
        ++result.records;
    };
    try {
        if (read_table_document(table(), file, take) == DocumentState::Missing) {
            messages.show(document_messages::not_found);
            result.status = LoadStatus::Missing;
            return result;
        }
    } catch (const XmlReadError&) {
        messages.show(document_messages::read_error);
        result.status = LoadStatus::Unreadable;
        return result;
    }
    show_first_items();
    return result;
}

void EmcyEditor::save_document(const std::filesystem::path& file) const {
    write_table_document(table(), document_records(), file);
}

std::vector<TableRecord> EmcyEditor::document_records() const {
    std::vector<TableRecord> records;
    for (int direction = 0; direction < 2; ++direction) {
        const EmcyPage& p = page(direction);
        const std::vector<std::int32_t> keys = page_keys(p, direction);
        for (std::size_t at : emcy::save_order(keys)) {
            records.push_back(record_of(p.list[at], direction));
        }
    }
    return records;
}

void EmcyEditor::export_csv(const std::filesystem::path& project_dir) const {
    CsvText csv;
    for (int direction = 0; direction < 2; ++direction) {
        for (const TClEmcy& entry : page(direction).list) {
            csv.add_line(record_of(entry, direction));
        }
    }
    csv.save(csv_path(project_dir, table().base_name));
}

ImportResult EmcyEditor::import_workbook(const std::filesystem::path& workbook,
                                         WorkbookAccess& access) {
    const std::array<EmcyPage, 2> kept = pages_;
    reset();
    const std::size_t bypass_field = table().direction_field;
    auto read = [&](const WorkbookQuery& sheet) -> StopReason {
        TClEmcy entry;
        for (std::size_t f = 0; f < entry.fields.size(); ++f) entry.fields[f] = sheet.field_text(f);
        const std::string bypass_text = sheet.field_text(bypass_field);
        std::optional<std::int32_t> bypass_set = to_int(bypass_text);
        if (!bypass_set) {
            return table().attributes[bypass_field] + " \"" + bypass_text + "\" does not convert";
        }
        const emcy::Bypass bypass = emcy::unpack_bypass_set(*bypass_set);
        entry.enable = bypass.enable;
        entry.alias_sel = bypass.alias_sel;
        std::string item = entry.id_dev();
        page(bypass.direction).append(std::move(entry), std::move(item));
        return std::nullopt;
    };
    ImportResult result = import_table(access, workbook, table(), read);
    if (result.records_taken == 0) {
        pages_ = kept;
    } else if (result.status == ImportStatus::Completed) {
        show_first_items();
    }
    return result;
}

}  // namespace fenwarp
