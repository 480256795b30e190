#include "core/documents/csv_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "test_support.h"

namespace fenwarp {
namespace {

struct FieldCase {
    const char* text;
    const char* written;
};

class CsvFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldTest, QuotesOnlyWhatWouldShiftTheColumns) {
    EXPECT_EQ(csv_field(GetParam().text), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvFieldTest,
    ::testing::Values(FieldCase{"", ""}, FieldCase{"0x2000", "0x2000"},
                      FieldCase{" spaced ", " spaced "}, FieldCase{"semi;colon", "semi;colon"},
                      FieldCase{"a,b", "\"a,b\""}, FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                      FieldCase{"\"", "\"\"\"\""}, FieldCase{"line\nbreak", "\"line\nbreak\""},
                      FieldCase{"cr\r", "\"cr\r\""}, FieldCase{"città", "città"}));

TEST(CsvText, EveryFieldEndsWithACommaAndEveryLineWithCrLf) {
    CsvText csv;
    const std::vector<std::string> first = {"0", "Index", ""};
    const std::vector<std::string> second = {"a,b", "x"};
    csv.add_line(first);
    csv.add_line(second);
    EXPECT_EQ(csv.text(), "0,Index,,\r\n\"a,b\",x,\r\n");
}

TEST(CsvText, SaveReplacesAnExistingFile) {
    test::TempDir dir;
    const auto file = csv_path(dir.path(), "sdo");
    EXPECT_EQ(file, dir / "sdo.csv");
    test::write_file(file, "an older and much longer export\r\n");
    CsvText csv;
    const std::vector<std::string> line = {"1"};
    csv.add_line(line);
    csv.save(file);
    csv.save(file);
    EXPECT_EQ(test::read_file(file), "1,\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "sdo.csv.tmp"));
}

TEST(CsvText, SaveIntoAMissingFolderThrowsNamingTheFile) {
    test::TempDir dir;
    CsvText csv;
    try {
        csv.save(dir / "missing" / "sdo.csv");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("sdo.csv"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace fenwarp
