#include "core/documents/sdopdo/stored_pdo_tab.h"

#include "core/error.h"
#include "core/int_text.h"

namespace fenwarp {

std::vector<std::string> StoredPdoTab::pdo_items() const {
    std::vector<std::string> items;
    for (const TClPdo& pdo : pdos) items.push_back(pdo.cobid);
    return items;
}

std::size_t StoredPdoTab::entry_count() const {
    std::size_t count = 0;
    for (const TClPdo& pdo : pdos) count += pdo.stored.size();
    return count;
}

void StoredPdoTab::show_poscomp(const std::string& poscomp) {
    const std::optional<std::int32_t> value = to_int(poscomp);
    if (!value) throw Error("'" + poscomp + "' is not a valid integer value (poscomp)");
    high_choice = stored_pdo::high_item(*value);
    low_choice = stored_pdo::low_item(*value);
}

void StoredPdoTab::clear_entry_view() {
    entry_items.clear();
    selected_entry.reset();
    index_edit.clear();
    subindex_edit.clear();
    high_choice = 0;
    low_choice = 0;
}

}  // namespace fenwarp
