#include "core/documents/emcy/emcy_page.h"

namespace fenwarp {

namespace {

// The alias group has nine buttons; higher values check none of them.
constexpr int alias_buttons = 9;

}  // namespace

void EmcyPage::clear() {
    list.clear();
    items.clear();
    selected.reset();
    inputs = {};
    enable = false;
    alias = 0;
}

void EmcyPage::append(TClEmcy entry, std::string item) {
    list.push_back(std::move(entry));
    items.push_back(std::move(item));
}

void EmcyPage::show(std::size_t position) {
    selected = position;
    const TClEmcy& entry = list.at(position);
    inputs = entry.fields;
    enable = entry.enable;
    if (entry.alias_sel >= 0 && entry.alias_sel < alias_buttons) alias = entry.alias_sel;
}

TClEmcy EmcyPage::entry_from_inputs() const {
    TClEmcy entry;
    for (std::size_t f = 0; f < inputs.size(); ++f) {
        entry.fields[f] = inputs[f].empty() ? "0" : inputs[f];
    }
    entry.enable = enable;
    entry.alias_sel = alias;
    return entry;
}

}  // namespace fenwarp
