#include "core/documents/sdopdo/stored_pdo_editor.h"

#include "core/documents/sdopdo/stored_pdo_order.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_writer.h"

namespace fenwarp {

const TableDescription& StoredPdoEditor::table() const {
    return stored_pdo_table();
}

void StoredPdoEditor::reset_pdo_lists() {
    for (StoredPdoTab& tab : tabs_) {
        tab.pdos.clear();
        // The list boxes must not offer what the lists no longer hold.
        tab.selected_pdo.reset();
        tab.entry_items.clear();
        tab.selected_entry.reset();
    }
}

void StoredPdoEditor::save_document(const std::filesystem::path& file) const {
    write_table_document(table(), document_records(), file);
}

std::vector<TableRecord> StoredPdoEditor::document_records() const {
    const TableDescription& map = table();
    std::vector<TableRecord> records;
    for (int t = 0; t < stored_pdo::tab_count; ++t) {
        const StoredPdoTab& tab = tabs_[t];
        for (const EntryPlace& place : save_order(tab, t)) {
            const TClPdo& pdo = tab.pdos[place.pdo];
            const TClSdo& entry = pdo.stored[place.entry];
            TableRecord record(map.field_count());
            record[map.field_of("index")] = entry.index;
            record[map.field_of("subindex")] = entry.subindex;
            record[map.direction_field] = stored_pdo::nrpdo_text(pdo.position, t);
            record[map.field_of("poscomp")] = entry.poscomp;
            records.push_back(std::move(record));
        }
    }
    return records;
}

void StoredPdoEditor::set_edits(int t, std::string index, std::string subindex) {
    tabs_[t].index_edit = std::move(index);
    tabs_[t].subindex_edit = std::move(subindex);
}

void StoredPdoEditor::set_choices(int t, int high, int low) {
    tabs_[t].high_choice = high;
    tabs_[t].low_choice = low;
}

void StoredPdoEditor::pdo_click(int t, std::optional<std::size_t> pdo) {
    StoredPdoTab& tab = tabs_[t];
    tab.selected_pdo = pdo && *pdo < tab.pdos.size() ? pdo : std::nullopt;
    tab.clear_entry_view();
    if (!tab.selected_pdo) return;
    const std::size_t count = tab.pdos[*tab.selected_pdo].stored.size();
    for (std::size_t n = 0; n < count; ++n) tab.entry_items.push_back("Sdo" + std::to_string(n));
}

void StoredPdoEditor::entry_click(int t, std::optional<std::size_t> entry) {
    StoredPdoTab& tab = tabs_[t];
    tab.selected_entry = entry && *entry < tab.entry_items.size() ? entry : std::nullopt;
    if (!tab.selected_entry) return;
    const TClSdo& stored = tab.pdos[*tab.selected_pdo].stored[*tab.selected_entry];
    tab.index_edit = stored.index;
    tab.subindex_edit = stored.subindex;
    tab.show_poscomp(stored.poscomp);
}

TClSdo StoredPdoEditor::typed_entry(int t) const {
    const StoredPdoTab& tab = tabs_[t];
    return {tab.index_edit, tab.subindex_edit, tab.poscomp()};
}

bool StoredPdoEditor::refused(int t, std::optional<EntryPlace> excluded, Messages& messages) const {
    const StoredPdoTab& tab = tabs_[t];
    switch (find_duplicate(tab, tab.index_edit, tab.subindex_edit, excluded)) {
        case Duplicate::SdoObject:
            messages.show(in_sdo_table);
            return true;
        case Duplicate::StoredEntry:
            messages.show(already_stored);
            return true;
        case Duplicate::None:
            break;
    }
    return false;
}

EntryOutcome StoredPdoEditor::new_sdo(int t, Messages& messages) {
    StoredPdoTab& tab = tabs_[t];
    if (!tab.selected_pdo) return EntryOutcome::NothingSelected;
    if (refused(t, std::nullopt, messages)) return EntryOutcome::Refused;
    tab.entry_items.push_back("Sdo" + std::to_string(tab.entry_items.size()));
    tab.selected_entry = tab.entry_items.size() - 1;
    tab.pdos[*tab.selected_pdo].stored.push_back(typed_entry(t));
    return EntryOutcome::Done;
}

EntryOutcome StoredPdoEditor::modify_sdo(int t, Messages& messages) {
    StoredPdoTab& tab = tabs_[t];
    if (!tab.selected_entry) return EntryOutcome::NothingSelected;
    const EntryPlace place{*tab.selected_pdo, *tab.selected_entry};
    if (refused(t, place, messages)) return EntryOutcome::Refused;
    tab.pdos[place.pdo].stored[place.entry] = typed_entry(t);
    return EntryOutcome::Done;
}

EntryOutcome StoredPdoEditor::delete_sdo(int t) {
    StoredPdoTab& tab = tabs_[t];
    if (!tab.selected_entry) return EntryOutcome::NothingSelected;
    const auto at = static_cast<std::ptrdiff_t>(*tab.selected_entry);
    std::vector<TClSdo>& stored = tab.pdos[*tab.selected_pdo].stored;
    stored.erase(stored.begin() + at);
    // The other items keep their labels until the PDO is clicked again.
    tab.entry_items.erase(tab.entry_items.begin() + at);
    tab.selected_entry.reset();
    return EntryOutcome::Done;
}

void StoredPdoEditor::copy_sdo(int t) {
    tabs_[t].copy_buffer = typed_entry(t);
}

void StoredPdoEditor::paste_sdo(int t) {
    StoredPdoTab& tab = tabs_[t];
    if (!tab.copy_buffer) {
        tab.index_edit.clear();
        tab.subindex_edit.clear();
        return;
    }
    tab.index_edit = tab.copy_buffer->index;
    tab.subindex_edit = tab.copy_buffer->subindex;
    tab.show_poscomp(tab.copy_buffer->poscomp);
}

}  // namespace fenwarp
