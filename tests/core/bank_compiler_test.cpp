#include "core/banks/bank_compiler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "bank_test_project.h"
#include "core/error.h"

namespace fenwarp {
namespace {

using test::BankProject;
using test::bytes_at;
using Bytes = std::vector<std::uint8_t>;

const std::vector<std::string> all_missing = {
    "File SDO xml not found",        "File SDO PDO xml not found",
    "File EMCY xml not found",       "File EMCY Word xml not found",
    "File reader PDO xml not found", "File Parametres xml not found"};

bool all_zero(const BankImages::Bank& bank, std::size_t from = 0, std::size_t to = 16384) {
    for (std::size_t i = from; i < to; ++i) {
        if (bank[i] != 0) return false;
    }
    return true;
}

TEST(BankCompilerTest, ProjectWithoutDocumentsShowsSixMessagesAndIsIncomplete) {
    BankProject project;
    BankImages images;
    MessageRecorder messages;
    EXPECT_FALSE(compile_banks(project.path(), images, messages).complete);
    EXPECT_EQ(messages.texts, all_missing);
}

TEST(BankCompilerTest, DefaultPargenAloneGivesTheParameterBlockAndEmptyTables) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    BankImages images;
    MessageRecorder messages;
    CompileOutcome outcome = compile_banks(project.path(), images, messages);

    EXPECT_TRUE(outcome.complete);
    EXPECT_EQ(messages.texts, std::vector<std::string>(all_missing.begin(), all_missing.end() - 1));
    const Bytes parameters = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0A,
                              0x01, 0x00, 0xFA, 0x01, 0x03, 0xE8};
    EXPECT_EQ(bytes_at(images.bank(2), 16284, 13), parameters);
    EXPECT_TRUE(all_zero(images.bank(2), 0, 16284));
    EXPECT_TRUE(all_zero(images.bank(2), 16297));  // directory of empty tables, then unused
    for (int n : {1, 3, 4, 5}) EXPECT_TRUE(all_zero(images.bank(n))) << n;
}

TEST(BankCompilerTest, PacksEachRecordLayout) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("16", "0x2000")});
    project.table("sdopdo", {test::stored_row("0x2100", "0x81")});
    project.table("emcydef", {test::row({{"id_dev", "7"},
                                         {"mask_eq_ec", "0x8130"},
                                         {"mask_eq_er", "0x5A"},
                                         {"mask_eq_m1", "0x0102"},
                                         {"mask_eq_m2", "0x0304"},
                                         {"mask_eq_m3", "5"},
                                         {"enmask_eq_ec", "0xFFFF"},
                                         {"enmask_eq_er", "0xFF"},
                                         {"enmask_eq_m1", "0"},
                                         {"enmask_eq_m2", "0"},
                                         {"enmask_eq_m3", "0"},
                                         {"bypass_set", "3"}})});
    test::Attributes word = {
        {"index_addrm", "0x2200"}, {"subindex", "2"}, {"extdata", "1"}, {"devid", "9"}};
    for (int bit = 0; bit < 16; ++bit) {
        word.emplace_back("bit" + std::to_string(bit) + "_b0", std::to_string(bit));
        word.emplace_back("bit" + std::to_string(bit) + "_b1", std::to_string(bit + 100));
        word.emplace_back("bit" + std::to_string(bit) + "_poscomp", std::to_string(bit + 200));
    }
    project.table("emcyword", {test::row(word)});
    project.table("rpdodef", {test::pdo_row("0x181", "2")});
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(compile_banks(project.path(), images, messages).complete);

    EXPECT_EQ(bytes_at(images.bank(1), 0, 9),
              (Bytes{0x10, 0x20, 0x00, 0x01, 0x05, 0x60, 0x00, 0x02, 0x02}));
    EXPECT_EQ(bytes_at(images.bank(1), 9, 5), (Bytes{0x21, 0x00, 0x01, 0x81, 0x03}));
    EXPECT_EQ(bytes_at(images.bank(2), 0, 18), (Bytes{7, 0x81, 0x30, 0x5A, 0x01, 0x02, 0x03, 0x04,
                                                      5, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 3}));
    Bytes packed_word = {0x22, 0x00, 2, 1, 9};
    for (std::uint8_t bit = 0; bit < 16; ++bit) {
        packed_word.insert(packed_word.end(),
                           {bit, std::uint8_t(bit + 100), std::uint8_t(bit + 200)});
    }
    EXPECT_EQ(bytes_at(images.bank(2), 18, 53), packed_word);
    EXPECT_EQ(bytes_at(images.bank(2), 71, 6), (Bytes{0x01, 0x81, 3, 2, 1, 2}));
    EXPECT_TRUE(all_zero(images.bank(2), 77, 16284));
    EXPECT_TRUE(messages.texts.empty());
}

// Hand-written documents may order a record's attributes in any way.
TEST(BankCompilerTest, AttributesAreFoundInAnyOrder) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::row({{"nbyteB", "2"},
                                     {"SubindexB", "2"},
                                     {"IndexB", "0x6000"},
                                     {"devIDB", "5"},
                                     {"SubindexA", "1"},
                                     {"IndexA", "0x2000"},
                                     {"conf", "16"}})});
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(compile_banks(project.path(), images, messages).complete);
    EXPECT_EQ(bytes_at(images.bank(1), 0, 9),
              (Bytes{0x10, 0x20, 0x00, 0x01, 0x05, 0x60, 0x00, 0x02, 0x02}));
}

TEST(BankCompilerTest, ValuesAreCutToTheirFieldAndFailuresReported) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    // cobid 0x12345 keeps 0x2345; 300 in a one-byte field is 0x2C; "7x" and "" are all bits set
    project.table("rpdodef", {test::row({{"cobid", "0x12345"},
                                         {"id_dev_orig", "300"},
                                         {"en_bypass", " 2 "},
                                         {"posind", "7x"},
                                         {"n_tpdo", ""}})});
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(compile_banks(project.path(), images, messages).complete);
    EXPECT_EQ(bytes_at(images.bank(2), 0, 6), (Bytes{0x23, 0x45, 0x2C, 0x02, 0xFF, 0xFF}));
    EXPECT_EQ(
        std::count(messages.texts.begin(), messages.texts.end(), "Error in conversion string"), 1);
}

TEST(BankCompilerTest, EmptyKeysCountAsNotZero) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("0", "")});
    project.table("emcyword", {test::word_row("", "1")});
    project.table("rpdodef", {test::pdo_row("", "2")});
    BankImages images;
    MessageRecorder messages;
    CompileOutcome outcome = compile_banks(project.path(), images, messages);
    EXPECT_EQ(outcome.directory.sdo.first_count, 1);
    EXPECT_EQ(outcome.directory.emcy_word.first_count, 1);
    EXPECT_EQ(outcome.directory.pdo.first_count, 1);
    EXPECT_EQ(bytes_at(images.bank(1), 1, 2), (Bytes{0xFF, 0xFF}));
}

TEST(BankCompilerTest, RecordWithEmptyConfIsSkipped) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("", "0x2000"), test::sdo_row("0", "0x2001")});
    BankImages images;
    MessageRecorder messages;
    CompileOutcome outcome = compile_banks(project.path(), images, messages);
    EXPECT_EQ(outcome.directory.sdo, (TableEntry{0, 1, 9, 0}));
    EXPECT_EQ(bytes_at(images.bank(1), 1, 2), (Bytes{0x20, 0x01}));
    EXPECT_TRUE(messages.texts.size() == 4);  // only the four missing tables
}

// What stops a compile names the document and what is wrong in it.
struct Broken {
    const char* file;
    std::string content;
    std::vector<std::string> named;
};

class BankCompilerErrorTest : public ::testing::TestWithParam<Broken> {};

TEST_P(BankCompilerErrorTest, StopsWithAnErrorNamingTheDocument) {
    const Broken& c = GetParam();
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.write(c.file, c.content);
    BankImages images;
    MessageRecorder messages;
    try {
        compile_banks(project.path(), images, messages);
        FAIL() << "no error for " << c.file;
    } catch (const Error& e) {
        for (const std::string& text : c.named) EXPECT_THAT(e.what(), ::testing::HasSubstr(text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bank, BankCompilerErrorTest,
    ::testing::Values(
        Broken{"sdo.xml",
               test::document("sdo", {test::sdo_row("0", "1"), test::sdo_row("0", "2"),
                                      test::row({{"conf", "0"}, {"IndexA", "1"}})}),
               {"Error in reading file XML sdo.xml", "missing attribute SubindexA in record 3"}},
        Broken{"sdo.xml",
               test::document("sdo", {test::row({{"IndexA", "1"}})}),
               {"sdo.xml", "missing attribute conf in record 1"}},
        Broken{"emcyword.xml",
               test::document("emcyword", {test::row({{"index_addrm", "1"}})}),
               {"emcyword.xml", "missing attribute subindex in record 1"}},
        Broken{
            "rpdodef.xml", "<rpdodef><row cobid=\"1\"", {"Error in reading file XML rpdodef.xml"}},
        Broken{"emcydef.xml", "", {"Error in reading file XML emcydef.xml"}},
        Broken{"pargen.xml",
               "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA></ParametriGenerali>",
               {"Error in reading file XML pargen.xml", "9 elements expected, found 2"}}));

}  // namespace
}  // namespace fenwarp
