#include "core/documents/sdopdo/duplicate_check.h"

#include <cstdint>

#include "core/error.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

std::int32_t value_of(const std::string& text, const std::string& what) {
    const std::optional<std::int32_t> value = to_int(text);
    if (!value) throw Error("'" + text + "' is not a valid integer value (" + what + ")");
    return *value;
}

// Compares one (index, subindex) pair with the typed one, converting the
// subindexes only when the indexes are equal.
bool same_object(const TClSdo& other, const std::string& other_name, const std::string& index,
                 const std::string& subindex) {
    if (value_of(other.index, other_name + " index") != value_of(index, "typed index")) {
        return false;
    }
    return value_of(other.subindex, other_name + " subindex") ==
           value_of(subindex, "typed subindex");
}

}  // namespace

Duplicate find_duplicate(const StoredPdoTab& tab, const std::string& index,
                         const std::string& subindex, std::optional<EntryPlace> excluded) {
    for (const TClSdo& reference : tab.references) {
        if (same_object(reference, "sdo.xml", index, subindex)) return Duplicate::SdoObject;
    }
    for (std::size_t p = 0; p < tab.pdos.size(); ++p) {
        const TClPdo& pdo = tab.pdos[p];
        for (std::size_t n = 0; n < pdo.stored.size(); ++n) {
            // The entry being modified is skipped before any conversion, so
            // an entry holding a text that does not convert can be mended.
            if (excluded && excluded->pdo == p && excluded->entry == n) continue;
            const std::string name = "PDO " + pdo.cobid + " Sdo" + std::to_string(n);
            if (same_object(pdo.stored[n], name, index, subindex)) return Duplicate::StoredEntry;
        }
    }
    return Duplicate::None;
}

}  // namespace fenwarp
