#include <gtest/gtest.h>

#include <random>

#include "bank_test_project.h"
#include "core/banks/bank_compiler.h"
#include "core/banks/bank_files.h"
#include "core/banks/update_device.h"

namespace fenwarp {
namespace {

using test::BankProject;
using test::bytes_at;
using Bytes = std::vector<std::uint8_t>;

std::uint16_t u16(const BankImages::Bank& bank, std::size_t offset) {
    return static_cast<std::uint16_t>(bank[offset] << 8 | bank[offset + 1]);
}

// The directory as the gateway reads it from bank 2.
TableDirectory read_directory(const BankImages& images) {
    const BankImages::Bank& bank = images.bank(2);
    auto entry = [&](std::size_t at) {
        return TableEntry{u16(bank, at), u16(bank, at + 2), u16(bank, at + 4), u16(bank, at + 6)};
    };
    return {entry(16297), entry(16305), entry(16313), entry(16321), entry(16329)};
}

CompileOutcome compile(const BankProject& project, BankImages& images) {
    MessageRecorder messages;
    return compile_banks(project.path(), images, messages);
}

TEST(BankDirectoryTest, DescribesEveryTableAsPackedInBank2) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("0", "0x2000"), test::sdo_row("16", "0x2001"),
                          test::sdo_row("1", "0x2002")});
    project.table("sdopdo", {test::stored_row("0x2100", "1"), test::stored_row("0x2101", "0x80")});
    project.table("emcydef", {test::emcy_row("1", "0"), test::emcy_row("2", "32")});
    project.table("emcyword", {test::word_row("0x2200", "1")});
    project.table("rpdodef", {test::pdo_row("0x181", "2"), test::pdo_row("0x201", "0")});
    BankImages images;
    CompileOutcome outcome = compile(project, images);
    ASSERT_TRUE(outcome.complete);

    const TableDirectory d = read_directory(images);
    EXPECT_EQ(d.sdo, (TableEntry{0, 2, 18, 1}));
    EXPECT_EQ(d.stored_pdo, (TableEntry{27, 1, 32, 1}));
    EXPECT_EQ(d.emcy, (TableEntry{0, 1, 18, 1}));
    EXPECT_EQ(d.emcy_word, (TableEntry{36, 1, 89, 0}));
    EXPECT_EQ(d.pdo, (TableEntry{89, 1, 95, 1}));
    EXPECT_EQ(outcome.directory.pdo, d.pdo);
    EXPECT_EQ(outcome.directory.stored_pdo, d.stored_pdo);
}

TEST(BankDirectoryTest, MissingSdopdoGivesStartAndOffsetZero) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("0", "0x2000")});
    BankImages images;
    compile(project, images);
    EXPECT_EQ(read_directory(images).stored_pdo, (TableEntry{0, 0, 0, 0}));
}

TEST(BankDirectoryTest, MissingSdoPutsStoredPdoAtZero) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdopdo", {test::stored_row("0x2100", "1")});
    BankImages images;
    compile(project, images);
    EXPECT_EQ(read_directory(images).stored_pdo, (TableEntry{0, 1, 5, 0}));
    EXPECT_EQ(bytes_at(images.bank(1), 0, 2), (Bytes{0x21, 0x00}));
}

// A record that is no entry (key 0) used to be packed but not counted, so the
// second group's offset landed on it instead of on the second group.
TEST(BankDirectoryTest, ZeroKeyRecordsAreLeftOut) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("0", "0"), test::sdo_row("0", "0x2000"),
                          test::sdo_row("1", "0x3000")});
    project.table("emcyword", {test::word_row("0", "1"), test::word_row("0x2200", "0")});
    project.table("rpdodef", {test::pdo_row("0x181", "2"), test::pdo_row("0", "2"),
                              test::pdo_row("0x201", "0")});
    BankImages images;
    compile(project, images);
    const TableDirectory d = read_directory(images);

    EXPECT_EQ(d.sdo, (TableEntry{0, 1, 9, 1}));
    EXPECT_EQ(bytes_at(images.bank(1), 10, 2), (Bytes{0x30, 0x00}));
    EXPECT_EQ(bytes_at(images.bank(1), 18, 9), Bytes(9, 0));  // no third record
    EXPECT_EQ(d.emcy_word, (TableEntry{0, 0, 0, 1}));
    EXPECT_EQ(bytes_at(images.bank(2), 0, 2), (Bytes{0x22, 0x00}));
    EXPECT_EQ(d.pdo, (TableEntry{53, 1, 59, 1}));
    EXPECT_EQ(bytes_at(images.bank(2), 59, 2), (Bytes{0x02, 0x01}));
}

// Records of the second group written before those of the first: each group
// is packed where the directory says it is.
TEST(BankDirectoryTest, GroupsArePackedInDirectoryOrderWhateverTheDocumentOrder) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("1", "0x3000"), test::sdo_row("0", "0x2000"),
                          test::sdo_row("17", "0x3001"), test::sdo_row("16", "0x2001")});
    project.table("emcydef", {test::emcy_row("9", "33"), test::emcy_row("1", "0")});
    BankImages images;
    compile(project, images);
    const TableDirectory d = read_directory(images);

    EXPECT_EQ(d.sdo, (TableEntry{0, 2, 18, 2}));
    for (auto [record, index] : {std::pair{0, 0x20}, {1, 0x20}, {2, 0x30}, {3, 0x30}}) {
        EXPECT_EQ(images.bank(1)[9 * record + 1], index) << record;
    }
    EXPECT_EQ(images.bank(1)[9 * 1 + 2], 0x01);  // document order within a group
    EXPECT_EQ(d.emcy, (TableEntry{0, 1, 18, 1}));
    EXPECT_EQ(images.bank(2)[0], 1);
    EXPECT_EQ(images.bank(2)[18], 9);
}

// The EMCY word map writes its Can0 words (extdata 0) first; the gateway takes
// the Can1 words (extdata 1) as the first group.
TEST(BankDirectoryTest, EmcyWordsOfBothPagesFollowTheDirectory) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("emcyword", {test::word_row("0x2000", "0"), test::word_row("0x2001", "0"),
                               test::word_row("0x2100", "1")});
    BankImages images;
    compile(project, images);
    const TableDirectory d = read_directory(images);

    EXPECT_EQ(d.emcy_word, (TableEntry{0, 1, 53, 2}));
    EXPECT_EQ(bytes_at(images.bank(2), 0, 2), (Bytes{0x21, 0x00}));
    EXPECT_EQ(bytes_at(images.bank(2), 53, 2), (Bytes{0x20, 0x00}));
    EXPECT_EQ(bytes_at(images.bank(2), 106, 2), (Bytes{0x20, 0x01}));
    EXPECT_EQ(d.pdo, (TableEntry{159, 0, 159, 0}));
}

// Any mix of groups, zero keys and empty conf: every counted record stands in
// its group's place, and nothing else does.
TEST(BankDirectoryTest, RandomDocumentsPointEachGroupAtItsOwnRecords) {
    std::mt19937 random(4);
    auto pick = [&](std::initializer_list<const char*> values) {
        return std::string(values.begin()[random() % values.size()]);
    };
    for (int round = 0; round < 20; ++round) {
        BankProject project;
        project.write("pargen.xml", test::default_pargen());
        std::vector<std::string> sdo, pdo;
        for (int i = 0; i < 12; ++i) {
            sdo.push_back(
                test::sdo_row(pick({"0", "1", "16", "17", ""}), pick({"0", "0x2000", ""})));
            pdo.push_back(test::pdo_row(pick({"0", "0x181", ""}), pick({"0", "2", "3", "1"})));
        }
        project.table("sdo", sdo);
        project.table("rpdodef", pdo);
        BankImages images;
        compile(project, images);
        const TableDirectory d = read_directory(images);
        const BankImages::Bank& bank1 = images.bank(1);
        const BankImages::Bank& bank2 = images.bank(2);

        ASSERT_EQ(d.sdo.second_offset, d.sdo.start + 9 * d.sdo.first_count);
        for (int i = 0; i < d.sdo.first_count + d.sdo.second_count; ++i) {
            const std::size_t at = 9 * static_cast<std::size_t>(i);
            EXPECT_EQ(bank1[at] & 1, i < d.sdo.first_count ? 0 : 1) << round << " " << i;
            EXPECT_NE(u16(bank1, at + 1), 0) << round << " " << i;
        }
        EXPECT_EQ(bank1[9 * (d.sdo.first_count + d.sdo.second_count) + 1], 0);
        ASSERT_EQ(d.pdo.second_offset, d.pdo.start + 6 * d.pdo.first_count);
        for (int i = 0; i < d.pdo.first_count + d.pdo.second_count; ++i) {
            const std::size_t at = d.pdo.start + 6 * static_cast<std::size_t>(i);
            EXPECT_EQ((bank2[at + 3] & 2) != 0, i < d.pdo.first_count) << round << " " << i;
            EXPECT_NE(u16(bank2, at), 0) << round << " " << i;
        }
    }
}

// Images used to keep whatever an earlier compile put there.
TEST(BankDirectoryTest, CompilingAnotherProjectFirstChangesNothing) {
    BankProject a;
    a.write("pargen.xml",
            "<ParametriGenerali><idA>5</idA><BoudA>500</BoudA><idB>6</idB>"
            "<BoudB>125</BoudB><timeoutsdo>7</timeoutsdo><baudmodbus>1</baudmodbus>"
            "<parity>1</parity><ser>1</ser><devid>1</devid></ParametriGenerali>");
    a.table("sdo", {test::sdo_row("0", "0x2000"), test::sdo_row("1", "0x2001")});
    a.table("emcyword", {test::word_row("0x2200", "1")});
    a.table("rpdodef", {test::pdo_row("0x181", "2"), test::pdo_row("0x182", "2")});
    BankProject b;
    b.write("pargen.xml", test::default_pargen());
    b.table("sdo", {test::sdo_row("0", "0x4000")});

    BankImages alone, after;
    MessageRecorder messages;
    ASSERT_TRUE(
        update_device(b.path(), alone, messages, CheckAnswer::UpdateAnyway).every_file_written());
    const std::string alone_bank1 = test::read_file(bank_file_path(b.path(), 1));
    const std::string alone_bank2 = test::read_file(bank_file_path(b.path(), 2));
    ASSERT_TRUE(
        update_device(a.path(), after, messages, CheckAnswer::UpdateAnyway).every_file_written());
    ASSERT_TRUE(
        update_device(b.path(), after, messages, CheckAnswer::UpdateAnyway).every_file_written());
    EXPECT_EQ(after.banks, alone.banks);
    EXPECT_EQ(test::read_file(bank_file_path(b.path(), 1)), alone_bank1);
    EXPECT_EQ(test::read_file(bank_file_path(b.path(), 2)), alone_bank2);
}

}  // namespace
}  // namespace fenwarp
