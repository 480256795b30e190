#include "core/documents/sdo/sdo_order.h"

#include <algorithm>
#include <utility>

#include "core/int_text.h"

namespace fenwarp::sdo {

namespace {

std::uint32_t low16(const std::string& text) {
    return static_cast<std::uint32_t>(to_int(text).value_or(0)) & 0xFFFFu;
}

template <typename Record>
void stable_sort_by_key(std::vector<Record>& records) {
    std::vector<std::pair<std::uint32_t, Record*>> keyed;
    keyed.reserve(records.size());
    for (Record& record : records) keyed.emplace_back(sort_key(record), &record);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Record> sorted;
    sorted.reserve(records.size());
    for (auto& entry : keyed) sorted.push_back(std::move(*entry.second));
    records = std::move(sorted);
}

}  // namespace

std::uint32_t sort_key(std::span<const std::string> record) {
    return (low16(record[1]) << 16) | low16(record[2]);
}

void sort_records(std::vector<TMyrec>& records) {
    stable_sort_by_key(records);
}

void sort_records(std::vector<TableRecord>& records) {
    stable_sort_by_key(records);
}

}  // namespace fenwarp::sdo
