#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

#include "core/documents/emcy/emcy_page.h"
#include "core/documents/table/table_editor.h"

namespace fenwarp {

// What New or Modify did on a page.
enum class EntryEdit {
    Stored,           // the entry was added or overwritten
    Refused,          // the ID check failed ("Index Not Valid"); nothing stored
    NothingSelected,  // Modify without a selected item: nothing happened
};

// State of the "Set Translate EMCY" dialog: one page per direction, page 0
// the EMCYs from CAN 0 (forwarded to CAN 1), page 1 those from CAN 1. The
// pages keep their contents between showings; a dialog never shown holds no
// entries.
class EmcyEditor : public TableEditor {
  public:
    static constexpr const char* index_not_valid = "Index Not Valid";

    const TableDescription& table() const override;

    EmcyPage& page(int direction) { return pages_.at(static_cast<std::size_t>(direction)); }
    const EmcyPage& page(int direction) const {
        return pages_.at(static_cast<std::size_t>(direction));
    }

    // Empties both pages: lists, list boxes and input fields; check boxes
    // off, alias button 0 checked.
    void reset();
    // The user selects an item of a page's list box: its entry fills the
    // page's fields.
    void show_entry(int direction, std::size_t position);

    // Adds the page's fields as a new entry, which becomes the selected item.
    EntryEdit new_entry(int direction, Messages& messages);
    // Overwrites the selected entry and its list box item from the page's
    // fields.
    EntryEdit modify_entry(int direction, Messages& messages);
    // Removes the selected entry; afterwards no item is selected. False when
    // nothing was selected.
    bool delete_entry(int direction);

    // Reset, then every record into the list of its direction in document
    // order; the first item of each non-empty list is selected and shown. A
    // reading fault keeps the entries before it and selects nothing.
    LoadResult load(const std::filesystem::path& file, Messages& messages) override;
    // The CAN 0 entries, then the CAN 1 entries, each list in ascending ID
    // order. Throws Error, writing nothing, when a list box text does not
    // convert.
    void save_document(const std::filesystem::path& file) const override;
    std::vector<TableRecord> document_records() const override;
    // One line per entry in list order, CAN 0 first; no heading line.
    void export_csv(const std::filesystem::path& project_dir) const override;
    // Resets both pages, then appends each record of the sheet to the list of
    // its direction. Stops at a record whose bypass_set does not convert. A
    // workbook that gives no record leaves the pages as they were.
    ImportResult import_workbook(const std::filesystem::path& workbook,
                                 WorkbookAccess& access) override;

  private:
    // Whether `id` may be stored in the page's list; `current` is the text of
    // the item a Modify overwrites.
    bool id_allowed(const EmcyPage& page, const std::string& id, const std::string* current) const;
    void show_first_items();

    std::array<EmcyPage, 2> pages_;
};

}  // namespace fenwarp
