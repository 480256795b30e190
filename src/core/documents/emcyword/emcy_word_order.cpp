#include "core/documents/emcyword/emcy_word_order.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <optional>

#include "core/documents/emcyword/emcy_word_messages.h"
#include "core/error.h"
#include "core/int_text.h"

namespace fenwarp {

namespace {

using Key = std::array<std::int32_t, 3>;  // devid, index_addrm, subindex

std::int32_t key_value(const std::string& text, std::size_t position, int page, const char* field) {
    const std::optional<std::int32_t> value = to_int(text);
    if (!value) {
        throw Error(emcy_word_messages::not_integer(text) + " (emcyword.xml: word " +
                    std::to_string(position + 1) + " of Can" + std::to_string(page) + ", " + field +
                    ")");
    }
    return *value;
}

}  // namespace

std::vector<std::size_t> save_order(const std::vector<TClWEmcy>& words, int page) {
    std::vector<Key> keys;
    keys.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const TClWEmcy& word = words[i];
        keys.push_back({key_value(word.devid, i, page, "devid"),
                        key_value(word.index_addrm, i, page, "index_addrm"),
                        key_value(word.subindex, i, page, "subindex")});
    }
    std::vector<std::size_t> order(words.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Each pass of the selection picks the last position holding the least
    // key; a total order on (key, position descending) writes the same.
    std::sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) {
        if (keys[a] != keys[b]) return keys[a] < keys[b];
        return a > b;
    });
    return order;
}

}  // namespace fenwarp
