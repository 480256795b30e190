#include "core/firmware/s_record.h"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace fenwarp {
namespace {

TEST(SRecordTest, ZeroPieceGivesTheKnownRecord) {
    std::array<std::uint8_t, 32> zeros{};
    EXPECT_EQ(s2_record(0x388000, zeros), "S224388000" + std::string(64, '0') + "23");
}

TEST(SRecordTest, AscendingPieceGivesTheKnownRecord) {
    std::array<std::uint8_t, 32> bytes{};
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    EXPECT_EQ(s2_record(0x398000, bytes),
              "S224398000000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F32");
}

TEST(SRecordTest, HighBytesAreUppercaseAndChecksumWraps) {
    std::array<std::uint8_t, 32> bytes{};
    bytes.fill(0xFF);
    // 0x24 + 0x3B + 0xFF + 0xE0 + 32 * 0xFF = 0x221E; low byte 0x1E, complement 0xE1
    EXPECT_EQ(s2_record(0x3BFFE0, bytes), "S2243BFFE0" + std::string(64, 'F') + "E1");
}

struct KindCase {
    const char* line;
    RecordKind kind;
};

class RecordKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(RecordKindTest, TellsRecordsApart) {
    EXPECT_EQ(record_kind(GetParam().line), GetParam().kind) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordKindTest,
    ::testing::Values(KindCase{"S1130000", RecordKind::Data}, KindCase{"S2", RecordKind::Data},
                      KindCase{"S3", RecordKind::Data}, KindCase{"S7", RecordKind::End},
                      KindCase{"S804000000FB", RecordKind::End}, KindCase{"S9", RecordKind::End},
                      KindCase{"S0", RecordKind::Other}, KindCase{"S5", RecordKind::Other},
                      KindCase{"s2", RecordKind::Other}, KindCase{"s9", RecordKind::Other},
                      KindCase{"S", RecordKind::Other}, KindCase{"", RecordKind::Other},
                      KindCase{" S2", RecordKind::Other}));

struct HeadCase {
    const char* line;
    std::optional<std::uint32_t> address;
    std::size_t data_bytes;
};

class DataRecordHeadTest : public ::testing::TestWithParam<HeadCase> {};

TEST_P(DataRecordHeadTest, ReadsCountAndAddressOfItsType) {
    const HeadCase& c = GetParam();
    std::optional<DataRecordHead> head = data_record_head(c.line);
    ASSERT_EQ(head.has_value(), c.address.has_value()) << c.line;
    if (!head) return;
    EXPECT_EQ(head->address, *c.address) << c.line;
    EXPECT_EQ(head->data_bytes, c.data_bytes) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataRecordHeadTest,
    ::testing::Values(HeadCase{"S1131234", 0x1234, 16}, HeadCase{"S224388000FF", 0x388000, 32},
                      HeadCase{"S2243bffe0", 0x3BFFE0, 32}, HeadCase{"S3250039A000", 0x39A000, 32},
                      HeadCase{"S2033880000", 0x388000, 0}, HeadCase{"S2003880000", 0x388000, 0},
                      HeadCase{"S224388", std::nullopt, 0}, HeadCase{"S224G88000", std::nullopt, 0},
                      HeadCase{"S2ZZ388000", std::nullopt, 0},
                      HeadCase{"S113 234", std::nullopt, 0},
                      HeadCase{"S9030000FC", std::nullopt, 0},
                      HeadCase{"S3250039A0", std::nullopt, 0}));

TEST(DataRecordBytesTest, DecodesTheDataDigits) {
    std::array<std::uint8_t, 32> bytes{};
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0xE0});
    const std::string line = s2_record(0x398000, bytes);
    std::optional<DataRecordHead> head = data_record_head(line);
    ASSERT_TRUE(head);
    EXPECT_EQ(data_record_bytes(line, *head),
              std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_FALSE(data_record_bytes(line.substr(0, 40), *head));
    std::string bad = line;
    bad[20] = 'x';
    EXPECT_FALSE(data_record_bytes(bad, *head));
}

TEST(DataRecordTest, EncodesEachAddressLength) {
    const std::vector<std::uint8_t> data = {0x01, 0x02};
    EXPECT_EQ(data_record(2, 0x1234, data), "S10512340102B1");
    EXPECT_EQ(data_record(3, 0x38C000, data), "S20638C0000102FE");
    EXPECT_EQ(data_record(4, 0x0039A000, data), "S3070039A00001021C");
}

}  // namespace
}  // namespace fenwarp
