#pragma once

#include <vector>

#include "core/documents/sdopdo/duplicate_check.h"
#include "core/documents/sdopdo/stored_pdo_tab.h"

namespace fenwarp {

// The order in which a save writes a tab's entries: ascending index, then
// subindex, across all its PDOs; equal pairs in PDO order, then list order.
// Entries the gateway's ordering ceiling (0x999999) would never pick take
// their place by value as well. A subindex is converted only where another
// entry of the tab has the same index value. Throws Error, naming the tab, the
// PDO, the entry and the field, when a text that must be compared does not
// convert.
std::vector<EntryPlace> save_order(const StoredPdoTab& tab, int tab_number);

}  // namespace fenwarp
