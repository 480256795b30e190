#include "core/firmware/bank_records.h"

#include <gtest/gtest.h>

#include "../fixtures/firmware_images.h"
#include "core/error.h"

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

TEST(BankRecordsTest, FullBankGives512RecordsOf32Bytes) {
    test::TempDir dir;
    test::write_file(dir / "bank2.bin", bank_bytes(2));
    std::string records = bank_records(dir / "bank2.bin", 0x398000);
    EXPECT_EQ(records, expected_records(bank_bytes(2), 0x398000));
    EXPECT_EQ(records.size(), 512u * 78u);
    EXPECT_EQ(records.substr(0, 10), "S224398000");
    EXPECT_EQ(records.substr(511 * 78, 10), "S22439BFE0");
}

// A short file is read to its end and the bank's rest is zero; a long one
// gives its first 16384 bytes only.
TEST(BankRecordsTest, FileLengthOtherThanTheBank) {
    test::TempDir dir;
    const std::string bank = bank_bytes(1);
    const std::pair<std::string, std::string> cases[] = {
        {bank.substr(0, 100), bank.substr(0, 100) + std::string(16384 - 100, '\0')},
        {"", std::string(16384, '\0')},
        {bank + "tail bytes past the bank", bank},
    };
    for (const auto& [file, seen] : cases) {
        test::write_file(dir / "bank1.bin", file);
        EXPECT_EQ(bank_records(dir / "bank1.bin", 0x388000), expected_records(seen, 0x388000))
            << "file of " << file.size() << " bytes";
    }
}

TEST(BankRecordsTest, UnreadableFileThrows) {
    test::TempDir dir;
    EXPECT_THROW(bank_records(dir / "bank1.bin", 0x388000), Error);
    EXPECT_THROW(write_bank_record_file(dir / "missing" / "Bin.sx", "S9030000FC\r\n"), Error);
}

}  // namespace
}  // namespace fenwarp
