#include "core/documents/sdo/sdo_order.h"

#include <algorithm>
#include <utility>

#include "core/int_text.h"

namespace fenwarp::sdo {

namespace {

std::uint32_t low16(const std::string& text) {
    return static_cast<std::uint32_t>(to_int(text).value_or(0)) & 0xFFFFu;
}

}  // namespace

std::uint32_t sort_key(const TMyrec& record) {
    return (low16(record[1]) << 16) | low16(record[2]);
}

void sort_records(std::vector<TMyrec>& records) {
    std::vector<std::pair<std::uint32_t, TMyrec*>> keyed;
    keyed.reserve(records.size());
    for (TMyrec& record : records) keyed.emplace_back(sort_key(record), &record);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TMyrec> sorted;
    sorted.reserve(records.size());
    for (auto& entry : keyed) sorted.push_back(std::move(*entry.second));
    records = std::move(sorted);
}

}  // namespace fenwarp::sdo
