// The stored PDO map's CSV export and workbook import.
#include <algorithm>
#include <optional>

#include "core/documents/csv_export.h"
#include "core/documents/sdopdo/stored_pdo_editor.h"
#include "core/documents/workbook/table_import.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

// The stored lists an import builds, one per PDO of each tab, put in place
// only once the workbook gave a record.
using StagedLists = std::array<std::vector<std::vector<TClSdo>>, stored_pdo::tab_count>;

// The walk counts a record it handed over as taken; those the table passed
// over were not, and the import is done only when some record was taken.
void settle_skipped(ImportResult& result, std::vector<SkippedRecord>& skipped) {
    result.records_taken -= std::min(result.records_taken, skipped.size());
    for (SkippedRecord& record : skipped) result.skipped.push_back(std::move(record));
    std::stable_sort(
        result.skipped.begin(), result.skipped.end(),
        [](const SkippedRecord& a, const SkippedRecord& b) { return a.record < b.record; });
    if (result.status == ImportStatus::Completed && result.records_taken == 0) {
        result.status = ImportStatus::Stopped;
        result.reason = result.skipped.empty() ? "the sheet holds no record to import"
                                               : "no record names a PDO of this project";
    }
}

}  // namespace

void StoredPdoEditor::export_csv(const std::filesystem::path& project_dir) const {
    CsvText csv;
    for (int t = 0; t < stored_pdo::tab_count; ++t) {
        for (const TClPdo& pdo : tabs_[t].pdos) {
            const std::string nrpdo = stored_pdo::nrpdo_text(pdo.position, t);
            for (const TClSdo& entry : pdo.stored) {
                const std::string line[] = {entry.index, entry.subindex, nrpdo, entry.poscomp};
                csv.add_line(line);
            }
        }
    }
    csv.save(csv_path(project_dir, table().base_name));
}

ImportResult StoredPdoEditor::import_workbook(const std::filesystem::path& workbook,
                                              WorkbookAccess& access) {
    for (StoredPdoTab& tab : tabs_) {
        tab.clear_entry_view();
        // An entry list box shown again only by a PDO click stays in step
        // with the PDO's entries.
        tab.selected_pdo.reset();
    }
    const TableDescription& map = table();
    StagedLists staged;
    for (int t = 0; t < stored_pdo::tab_count; ++t) staged[t].resize(tabs_[t].pdos.size());
    std::vector<SkippedRecord> skipped;
    auto read = [&](const WorkbookQuery& sheet) -> StopReason {
        const std::string nrpdo_text = sheet.field_text(map.direction_field);
        const std::optional<std::int32_t> nrpdo = to_int(nrpdo_text);
        if (!nrpdo) return "nrpdo \"" + nrpdo_text + "\" does not convert";
        const int position = stored_pdo::position_of(*nrpdo);
        if (position == 0) return "nrpdo \"" + nrpdo_text + "\" names position 0";
        const int t = stored_pdo::tab_of(*nrpdo);
        if (static_cast<std::size_t>(position) > staged[t].size()) {
            skipped.push_back({sheet.position() + 1, "nrpdo " + nrpdo_text + " names PDO " +
                                                         std::to_string(position) + " of tab " +
                                                         stored_pdo::tab_names[t] + ", which has " +
                                                         std::to_string(staged[t].size())});
            return std::nullopt;
        }
        staged[t][position - 1].push_back({sheet.field_text(map.field_of("index")),
                                           sheet.field_text(map.field_of("subindex")),
                                           sheet.field_text(map.field_of("poscomp"))});
        return std::nullopt;
    };
    ImportResult result = import_table(access, workbook, map, read);
    settle_skipped(result, skipped);
    if (result.records_taken == 0) return result;
    for (int t = 0; t < stored_pdo::tab_count; ++t) {
        for (std::size_t p = 0; p < staged[t].size(); ++p) {
            tabs_[t].pdos[p].stored = std::move(staged[t][p]);
        }
    }
    return result;
}

}  // namespace fenwarp
