#include <gtest/gtest.h>
#include <sys/stat.h>

#include "bank_test_project.h"
#include "core/banks/bank_compiler.h"
#include "core/error.h"

namespace fenwarp {
namespace {

using test::BankProject;

std::uint16_t u16_at(const BankImages::Bank& bank, std::size_t offset) {
    return static_cast<std::uint16_t>(bank[offset] << 8 | bank[offset + 1]);
}

std::vector<std::string> repeat(int count, const std::string& row) {
    return std::vector<std::string>(static_cast<std::size_t>(count), row);
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Every field of the block holds a value of its own, none zero (but the two
// table starts that are always 0): a swap of any two fields shows.
TEST(ParameterBlockTest, EveryFieldInItsPlace) {
    BankProject project;
    project.write("pargen.xml",
                  "<ParametriGenerali><idA>0x11</idA><BoudA>0x2233</BoudA><idB>0x44</idB>"
                  "<BoudB>0x5566</BoudB><timeoutsdo>0x7788</timeoutsdo><baudmodbus>0x99AA"
                  "</baudmodbus><parity>0xBB</parity><ser>0xCC</ser><devid>0xDD</devid>"
                  "</ParametriGenerali>");
    project.table("sdo", joined(repeat(2, test::sdo_row("0", "0x2000")),
                                repeat(3, test::sdo_row("1", "0x2001"))));
    project.table("sdopdo", joined(repeat(4, test::stored_row("0x3000", "1")),
                                   repeat(1, test::stored_row("0x3001", "0x81"))));
    project.table("emcydef", joined(repeat(5, test::emcy_row("1", "0")),
                                    repeat(6, test::emcy_row("2", "32"))));
    project.table("emcyword", joined(repeat(7, test::word_row("0x4000", "1")),
                                     repeat(8, test::word_row("0x4001", "0"))));
    project.table("rpdodef", joined(repeat(9, test::pdo_row("0x181", "2")),
                                    repeat(10, test::pdo_row("0x182", "0"))));
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(compile_banks(project.path(), images, messages).complete);
    EXPECT_TRUE(messages.texts.empty());
    const BankImages::Bank& bank2 = images.bank(2);
    const std::vector<std::uint8_t> parameters = {0xCC, 0x99, 0xAA, 0xBB, 0xDD, 0x22, 0x33,
                                                  0x11, 0x55, 0x66, 0x44, 0x77, 0x88};
    EXPECT_EQ(test::bytes_at(bank2, 16284, 13), parameters);
    const std::uint16_t directory[20] = {
        0,   2, 18,   3,   // SDO: start, first count, second offset, second count
        0,   5, 90,   6,   // EMCY
        198, 7, 569,  8,   // EMCY word: after 11 EMCY records of 18 bytes
        993, 9, 1047, 10,  // PDO: after 15 EMCY words of 53 bytes
        45,  4, 65,   1};  // stored PDO: after 5 SDO records of 9 bytes
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(u16_at(bank2, 16297 + 2 * i), directory[i]) << "directory field " << i;
    }
    EXPECT_EQ(test::bytes_at(bank2, 16337, 47), std::vector<std::uint8_t>(47, 0));
}

// A value of blanks only is not an empty value: it is reported and gives
// 0xFFFF, as a value that does not convert; an empty one is 0xFFFF silently.
TEST(ParameterBlockTest, ABlankValueIsAConversionError) {
    BankProject project;
    std::string pargen = test::default_pargen();
    pargen.replace(pargen.find("<BoudA>10</BoudA>"), 17, "<BoudA> </BoudA>");
    pargen.replace(pargen.find("<idB>1</idB>"), 12, "<idB></idB>");
    project.write("pargen.xml", pargen);
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(compile_banks(project.path(), images, messages).complete);
    EXPECT_EQ(messages.texts.size(), 6u);  // five tables missing, then the one conversion
    EXPECT_EQ(messages.texts.back(), "Error in conversion string");
    EXPECT_EQ(test::bytes_at(images.bank(2), 16289, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(images.bank(2)[16294], 0xFF);
}

// A FIFO standing for a document stops the compile with an error naming it,
// instead of waiting for a writer forever.
TEST(ParameterBlockTest, AFifoForADocumentIsRefused) {
    BankProject project;
    ASSERT_EQ(mkfifo((project.path() / "pargen.xml").c_str(), 0600), 0);
    BankImages images;
    MessageRecorder messages;
    try {
        compile_banks(project.path(), images, messages);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("pargen.xml"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos);
    }
}

}  // namespace
}  // namespace fenwarp
