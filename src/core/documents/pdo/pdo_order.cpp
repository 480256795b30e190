#include "core/documents/pdo/pdo_order.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/documents/table/table_catalogue.h"
#include "core/error.h"
#include "core/int_text.h"

namespace fenwarp::pdo {

void order_by_cobid(std::vector<TableRecord>& records, int direction) {
    const TableDescription& table = pdo_table();
    const std::size_t cobid = table.field_of("cobid");
    // (cobid, grid row) per record; the later row wins a tie.
    std::vector<std::pair<std::int32_t, std::size_t>> keys;
    keys.reserve(records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        std::optional<std::int32_t> value = to_int(records[r][cobid]);
        if (!value) {
            throw Error(std::string(table.document) + ": row " + std::to_string(r) + " of " +
                        (direction == 0 ? "sga" : "sgb") + ", field cobid: '" + records[r][cobid] +
                        "' is not a valid integer value");
        }
        keys.emplace_back(*value, r);
    }
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second > b.second;
    });
    std::vector<TableRecord> ordered;
    ordered.reserve(records.size());
    for (const auto& key : keys) ordered.push_back(std::move(records[key.second]));
    records = std::move(ordered);
}

}  // namespace fenwarp::pdo
