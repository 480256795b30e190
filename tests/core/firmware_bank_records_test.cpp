#include "core/firmware/bank_records.h"

#include <gtest/gtest.h>

#include "../fixtures/firmware_images.h"

namespace fenwarp {
namespace {

using test::bank_bytes;
using test::srec_line;

// The records an independent writer makes from the given 16384 bytes.
std::string expected_records(const std::string& bytes, std::uint32_t first) {
    std::string text;
    for (std::size_t r = 0; r < 512; ++r) {
        std::vector<std::uint8_t> piece(bytes.begin() + static_cast<long>(r * 32),
                                        bytes.begin() + static_cast<long>(r * 32 + 32));
        text += srec_line('2', first + static_cast<std::uint32_t>(r * 32), piece);
    }
    return text;
}

std::span<const std::uint8_t, 16384> span_of(const std::string& bytes) {
    return std::span<const std::uint8_t, 16384>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                16384);
}

TEST(BankRecordsTest, FullBankGives512RecordsOf32Bytes) {
    const std::string bank = bank_bytes(2);
    std::string records = bank_records(span_of(bank), 0x398000);
    EXPECT_EQ(records, expected_records(bank, 0x398000));
    EXPECT_EQ(records.size(), 512u * 78u);
    EXPECT_EQ(records.substr(0, 10), "S224398000");
    EXPECT_EQ(records.substr(511 * 78, 10), "S22439BFE0");
}

}  // namespace
}  // namespace fenwarp
