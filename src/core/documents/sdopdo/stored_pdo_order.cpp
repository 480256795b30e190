#include "core/documents/sdopdo/stored_pdo_order.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "core/error.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

struct Keyed {
    EntryPlace place;
    std::int32_t index;
    std::int32_t subindex;  // 0 where no other entry shares the index
};

std::int32_t converted(const StoredPdoTab& tab, int tab_number, EntryPlace place,
                       const std::string& field, const std::string& text) {
    const std::optional<std::int32_t> value = to_int(text);
    if (value) return *value;
    const TClPdo& pdo = tab.pdos[place.pdo];
    throw Error("sdopdo.xml not saved: tab " + std::string(stored_pdo::tab_names[tab_number]) +
                ", PDO " + std::to_string(pdo.position) + " (cobid " + pdo.cobid + "), Sdo" +
                std::to_string(place.entry) + ": " + field + " '" + text +
                "' is not a valid integer value");
}

}  // namespace

std::vector<EntryPlace> save_order(const StoredPdoTab& tab, int tab_number) {
    std::vector<Keyed> keyed;
    std::map<std::int32_t, int> sharing;  // entries per index value
    for (std::size_t p = 0; p < tab.pdos.size(); ++p) {
        for (std::size_t n = 0; n < tab.pdos[p].stored.size(); ++n) {
            const EntryPlace place{p, n};
            const std::int32_t index =
                converted(tab, tab_number, place, "index", tab.pdos[p].stored[n].index);
            keyed.push_back({place, index, 0});
            ++sharing[index];
        }
    }
    for (Keyed& k : keyed) {
        if (sharing[k.index] > 1) {
            const TClSdo& entry = tab.pdos[k.place.pdo].stored[k.place.entry];
            k.subindex = converted(tab, tab_number, k.place, "subindex", entry.subindex);
        }
    }
    // Entries were gathered in PDO order, then list order; a stable sort
    // keeps that order among equal pairs.
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.index != b.index ? a.index < b.index : a.subindex < b.subindex;
    });
    std::vector<EntryPlace> order;
    for (const Keyed& k : keyed) order.push_back(k.place);
    return order;
}

}  // namespace fenwarp
