#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/documents/sdopdo/stored_pdo_records.h"

namespace fenwarp {

// One tab of the stored PDO dialog: its PDOs, the SDO objects of sdo.xml its
// entries must not collide with, its copy buffer and what its controls show.
struct StoredPdoTab {
    std::vector<TClPdo> pdos;
    std::vector<TClSdo> references;
    std::optional<TClSdo> copy_buffer;  // empty until the first Copy

    // The PDO list box lists the cobid of every PDO; its selection:
    std::optional<std::size_t> selected_pdo;
    // The stored entry list box: one label per entry of the selected PDO, the
    // n-th item standing for the n-th entry whatever its label says.
    std::vector<std::string> entry_items;
    std::optional<std::size_t> selected_entry;
    std::string index_edit;
    std::string subindex_edit;
    // Item indexes of the byte choices; an entry's poscomp may name an item
    // the choice does not have (above "B8"), which is kept as it is.
    int high_choice = 0;
    int low_choice = 0;

    std::vector<std::string> pdo_items() const;
    std::size_t entry_count() const;
    // poscomp as the choices give it.
    std::string poscomp() const { return stored_pdo::poscomp_text(high_choice, low_choice); }
    // Shows a poscomp in the two choices; throws Error when it does not convert.
    void show_poscomp(const std::string& poscomp);
    // Empties the entry list box and the edits, and sets the choices to "none".
    void clear_entry_view();
};

}  // namespace fenwarp
