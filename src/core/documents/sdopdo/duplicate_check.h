#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "core/documents/sdopdo/stored_pdo_tab.h"

namespace fenwarp {

// Where an entry stands: its PDO in the tab's list and its place in that
// PDO's stored list.
struct EntryPlace {
    std::size_t pdo;
    std::size_t entry;
};

enum class Duplicate {
    None,
    SdoObject,    // a virtual object of the SDO access table on the same side
    StoredEntry,  // another stored entry of the tab
};

// Whether an entry typed as (index, subindex) would collide on the tab. Values
// are compared after the integer text conversion ("0x2000" equals "8192"), a
// subindex only where the indexes are equal; nothing is converted when there
// is nothing to compare with. `excluded`, the entry being modified, is left
// out. Throws Error naming the text that must be compared and does not
// convert.
Duplicate find_duplicate(const StoredPdoTab& tab, const std::string& index,
                         const std::string& subindex, std::optional<EntryPlace> excluded);

}  // namespace fenwarp
