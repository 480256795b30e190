// The SDO table's order on save: a stable sort, also beyond the sizes where an
// unstable sort happens to keep equal keys in place.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/documents/sdo/sdo_order.h"

namespace fenwarp {
namespace {

TEST(SdoOrderStability, ManyEqualKeysKeepTheirGridOrder) {
    // 60 records over three keys, each key spelt several ways and met 20 times,
    // interleaved in descending key order so that every record has to move.
    const char* spellings[3][3] = {
        {"0x2001", "8193", "x2001"}, {"0x2000", "8192", "$2000"}, {"0", "wrong", ""}};
    std::vector<sdo::TMyrec> records(60);
    for (int i = 0; i < 60; ++i) {
        records[i][1] = spellings[i % 3][(i / 3) % 3];
        records[i][2] = "1";
        records[i][7] = std::to_string(i);
    }
    sdo::sort_records(records);
    std::vector<std::string> expected;
    for (int key = 2; key >= 0; --key) {
        for (int i = key; i < 60; i += 3) expected.push_back(std::to_string(i));
    }
    std::vector<std::string> order;
    for (const auto& record : records) order.push_back(record[7]);
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace fenwarp
