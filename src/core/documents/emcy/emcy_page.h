#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/documents/emcy/emcy_entry.h"

namespace fenwarp {

// One page of the EMCY dialog: the entries of one direction with the list box
// that shows their IDs at the same positions, and the page's input fields,
// check box and alias group.
struct EmcyPage {
    std::vector<TClEmcy> list;
    // LBCanA / LBCanB: the ID text of each entry as it was typed, loaded or
    // imported. It is what the ID check compares and what a save orders by.
    std::vector<std::string> items;
    std::optional<std::size_t> selected;

    // Eid_devA ... Eenmask_eq_m3A, in the order of TClEmcy::fields.
    std::array<std::string, TClEmcy::text_field_count> inputs;
    bool enable = false;  // enablea
    int alias = 0;        // the checked button of Gbbypass_setA, 0 to 8

    void clear();
    // Appends an entry and its list box item.
    void append(TClEmcy entry, std::string item);
    // Selects the item and shows its entry in the input fields.
    void show(std::size_t position);
    // A new entry from the input fields; an empty field gives "0".
    TClEmcy entry_from_inputs() const;
};

}  // namespace fenwarp
