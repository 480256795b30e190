#pragma once

#include <array>
#include <filesystem>

#include "core/documents/sdopdo/duplicate_check.h"
#include "core/documents/sdopdo/stored_pdo_tab.h"
#include "core/documents/table/table_editor.h"

namespace fenwarp {

// The three documents the stored PDO map reads: rpdodef.xml for the PDOs,
// sdo.xml for the SDO objects entries must not collide with, and sdopdo.xml.
struct StoredPdoDocuments {
    std::filesystem::path sdo;
    std::filesystem::path rpdodef;
    std::filesystem::path sdopdo;

    // The other two documents in the folder of sdopdo.xml.
    static StoredPdoDocuments beside(const std::filesystem::path& sdopdo);
};

// What a load did with each document; its messages are shown already.
struct StoredPdoLoad {
    LoadStatus references = LoadStatus::Loaded;  // sdo.xml
    LoadStatus pdos = LoadStatus::Loaded;        // rpdodef.xml
    std::size_t pdos_left_out = 0;               // PDOs past position 127
    LoadResult entries;  // sdopdo.xml; dropped: rows naming no PDO of this project
};

// What New, Modify and Delete did.
enum class EntryOutcome {
    Done,
    NothingSelected,  // no PDO (New) or no entry (Modify, Delete) selected
    Refused,          // the duplicate check said why
};

// State of the stored PDO dialog (TFInfopdo): per tab its PDOs with their
// stored SDO entries, the SDO objects read from sdo.xml, a copy buffer and what
// its list boxes, edits and byte choices show. Everything lives for the
// process; every load rebuilds the references, PDOs and entries.
class StoredPdoEditor : public TableEditor {
  public:
    static constexpr const char* sdo_not_found = "File SDO XML not found";
    static constexpr const char* sdo_read_error = "Error in reading file SDO XML";
    static constexpr const char* pdo_not_found = "File PDO XML not found";
    static constexpr const char* pdo_read_error = "Error in reading file PDO XML";
    static constexpr const char* sdopdo_not_found = "File SDOPDO XML not found";
    static constexpr const char* sdopdo_read_error = "Error in reading file SDOPDO XML";
    static constexpr const char* in_sdo_table = "Index or Subindex Not Valid,Sdo Already Exists";
    static constexpr const char* already_stored = "Index or Subindex Not Valid";
    static constexpr const char* too_many_pdos =
        "Too many PDOs in file PDO XML: stored SDO can name the first 127 of a direction only";

    const TableDescription& table() const override;

    const StoredPdoTab& tab(int t) const { return tabs_[t]; }

    // Load, in this order: the SDO references, the PDOs, the stored entries;
    // a fault in one document does not stop the next. No PDO is selected
    // afterwards. Without a readable rpdodef.xml only the PDOs read before the
    // fault are known, so nothing of an earlier load can be saved here.
    StoredPdoLoad load(const StoredPdoDocuments& documents, Messages& messages);
    // The same, with sdo.xml and rpdodef.xml beside `file`.
    LoadResult load(const std::filesystem::path& file, Messages& messages) override;
    // Both tabs without PDOs (so without entries).
    void reset_pdo_lists();
    // "Can0" entries then "Can1" entries, each tab in save order, positions
    // of the last load. Throws Error, writing nothing, when an entry cannot be
    // ordered.
    void save_document(const std::filesystem::path& file) const override;
    std::vector<TableRecord> document_records() const override;
    // Every entry in list order, without heading line.
    void export_csv(const std::filesystem::path& project_dir) const override;
    // Empties the entry list boxes and edits, then replaces every stored entry
    // by the sheet's records; a workbook that gives no record leaves the
    // entries as they were.
    ImportResult import_workbook(const std::filesystem::path& workbook,
                                 WorkbookAccess& access) override;

    // What the user types and chooses on a tab.
    void set_edits(int t, std::string index, std::string subindex);
    void set_choices(int t, int high, int low);

    // A click on a PDO list box (nothing: no item selected).
    void pdo_click(int t, std::optional<std::size_t> pdo);
    // A click on an entry list box; throws Error when the entry's poscomp
    // does not convert, after showing its index and subindex.
    void entry_click(int t, std::optional<std::size_t> entry);
    EntryOutcome new_sdo(int t, Messages& messages);
    EntryOutcome modify_sdo(int t, Messages& messages);
    EntryOutcome delete_sdo(int t);
    void copy_sdo(int t);
    void paste_sdo(int t);

  private:
    void read_references(const std::filesystem::path& file, StoredPdoLoad& result,
                         Messages& messages);
    void read_pdos(const std::filesystem::path& file, StoredPdoLoad& result, Messages& messages);
    void read_entries(const std::filesystem::path& file, StoredPdoLoad& result, Messages& messages);
    bool refused(int t, std::optional<EntryPlace> excluded, Messages& messages) const;
    TClSdo typed_entry(int t) const;

    std::array<StoredPdoTab, stored_pdo::tab_count> tabs_;
};

}  // namespace fenwarp
