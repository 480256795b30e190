#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../fixtures/workbook_fixtures.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/workbook/cell_text.h"
#include "core/documents/workbook/table_import.h"
#include "core/documents/workbook/workbook_access.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/xls_reader.h"
#include "test_support.h"

namespace fenwarp {
namespace {

const test::TestWorkbooks& workbooks() {
    static const test::TestWorkbooks made;
    return made;
}

struct NumberCase {
    double value;
    const char* text;
};

class NumberTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, WholeValuesReadAsIntegers) {
    EXPECT_EQ(number_text(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    ::testing::Values(NumberCase{16.0, "16"}, NumberCase{8192.0, "8192"}, NumberCase{-3.0, "-3"},
                      NumberCase{-0.0, "0"}, NumberCase{1073741824.0, "1073741824"},
                      NumberCase{4294967296.0, "4294967296"}, NumberCase{1.5, "1.5"},
                      NumberCase{0.1, "0.1"}, NumberCase{1e300, "1e+300"},
                      NumberCase{0.1 + 0.2, "0.3"}, NumberCase{1.0 / 3.0, "0.333333333333333"},
                      NumberCase{123456.7890123456789, "123456.789012346"}));

TEST(ConnectionText, NamesTheWorkbookEvenWhenItsPathHoldsASemicolon) {
    EXPECT_EQ(connection_database(connection_text("/p/book.xls")), "/p/book.xls");
    EXPECT_EQ(connection_database(connection_text("/p/a;b/book.xls")), "/p/a;b/book.xls");
    EXPECT_EQ(connection_text("/p/b.xls"),
              "Provider=MSDASQL.1;Persist Security Info=False;"
              "Data Source=File di Microsoft Excel;DBQ=/p/b.xls;Mode=Read");
    EXPECT_THROW(connection_database("Provider=MSDASQL.1;Mode=Read"), WorkbookError);
}

TEST(QueryText, OnlyTheSelectOfAWholeSheetIsUnderstood) {
    EXPECT_EQ(query_text("sdo"), "select * from [sdo$]");
    EXPECT_EQ(query_sheet("select * from [sdo$]"), "sdo");
    EXPECT_EQ(query_sheet("  SELECT * FROM [Sdo$]\n"), "Sdo");
    EXPECT_EQ(query_sheet("select conf from [sdo$]"), std::nullopt);
    EXPECT_EQ(query_sheet("select * from [sdo]"), std::nullopt);
    EXPECT_EQ(query_sheet("select * from [$]"), std::nullopt);
}

class WorkbookQueryTest : public ::testing::Test {
  protected:
    void open(const std::string& file, const std::string& statement) {
        access.connection.set_connection_text(connection_text(workbooks() / file));
        access.connection.open();
        access.query.clear_text();
        access.query.add_line(statement);
        access.query.open();
    }
    WorkbookAccess access;
};

TEST_F(WorkbookQueryTest, ListsSheetsAndFindsOneInAnyLetterCase) {
    open("sdo_both.xls", "select * from [sdo$]");
    EXPECT_EQ(access.connection.table_names(), (std::vector<std::string>{"Notes$", "Sdo$"}));
    EXPECT_EQ(access.query.record_count(), 4u);  // the heading row is no record
    EXPECT_EQ(access.query.field_count(), 8u);
}

TEST_F(WorkbookQueryTest, GivesFieldsByPositionWithNullForEmptyCells) {
    open("sdo_both.xls", "select * from [sdo$]");
    EXPECT_EQ(access.query.field(0), "16");
    EXPECT_EQ(access.query.field(1), "0x2000");
    EXPECT_EQ(access.query.field(7), "speed");
    access.query.next();
    EXPECT_EQ(access.query.field(1), "8192");
    EXPECT_EQ(access.query.field(2), "1.5");
    EXPECT_EQ(access.query.field(3), std::nullopt);
    EXPECT_EQ(access.query.field_text(7), "");
    access.query.next();
    EXPECT_EQ(access.query.field(1), "$2001");
    EXPECT_EQ(access.query.field(3), "1073741824");  // stored as a double
    EXPECT_THROW(access.query.field(8), WorkbookError);
    access.query.next();
    access.query.next();
    EXPECT_TRUE(access.query.at_end());
    EXPECT_THROW(access.query.field(0), WorkbookError);
}

TEST_F(WorkbookQueryTest, FailuresAreWorkbookErrors) {
    EXPECT_THROW(open("sdo_both.xls", "select * from [pdo$]"), WorkbookError);
    EXPECT_THROW(open("sdo_both.xls", "delete from [sdo$]"), WorkbookError);
    EXPECT_THROW(open("absent.xls", "select * from [sdo$]"), WorkbookError);
    EXPECT_FALSE(access.connection.is_open());
    test::TempDir dir;
    test::write_file(dir / "text.xls", "conf,IndexA\r\n16,0x2000\r\n");
    access.connection.set_connection_text(connection_text(dir / "text.xls"));
    EXPECT_THROW(access.connection.open(), WorkbookError);
    EXPECT_FALSE(access.connection.is_open());
}

// The walk every table shares, with a reader that notes what it was given.
class ImportWalkTest : public ::testing::Test {
  protected:
    ImportResult run(const std::string& file, std::size_t stop_at = 0) {
        seen.clear();
        return import_table(access, workbooks() / file, sdo_table(),
                            [&](const WorkbookQuery& record) {
                                record.field_text(7);  // the SDO table reads eight fields
                                seen.push_back(record.field_text(1));
                                if (seen.size() == stop_at) return StopReason("no good");
                                return StopReason();
                            });
    }
    WorkbookAccess access;
    std::vector<std::string> seen;
};

TEST_F(ImportWalkTest, HandsEveryRecordInSheetOrderAndClosesAfterwards) {
    ImportResult result = run("sdo_both.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed);
    EXPECT_EQ(result.records_taken, 4u);
    EXPECT_EQ(seen, (std::vector<std::string>{"0x2000", "8192", "$2001", "x2002"}));
    EXPECT_FALSE(access.connection.is_open());
    EXPECT_FALSE(access.query.is_open());
}

TEST_F(ImportWalkTest, EndsAtTheFirstFailureAndSaysWhy) {
    struct Case {
        const char* file;
        std::size_t stop_at;
        ImportStatus status;
        std::size_t taken;
        const char* reason_part;
    };
    const Case cases[] = {
        {"sdo_upper.xls", 0, ImportStatus::Completed, 1, ""},
        {"sdo_suffix.xls", 0, ImportStatus::SheetMissing, 0, "sdo"},
        {"absent.xls", 0, ImportStatus::Unreadable, 0, "absent.xls"},
        {"sdo_both.xls", 2, ImportStatus::Stopped, 1, "record 2: no good"},
        {"sdo_narrow.xls", 0, ImportStatus::Stopped, 0, "record 1"},
    };
    for (const Case& c : cases) {
        // The connection is left open on purpose: the walk starts from a closed one.
        access.connection.set_connection_text(connection_text(workbooks() / "sdo_both.xls"));
        access.connection.open();
        ImportResult result = run(c.file, c.stop_at);
        EXPECT_EQ(result.status, c.status) << c.file;
        EXPECT_EQ(result.records_taken, c.taken) << c.file;
        EXPECT_NE(result.reason.find(c.reason_part), std::string::npos) << result.reason;
        EXPECT_FALSE(access.connection.is_open()) << c.file;
    }
}

// FreeXL reads before one of its buffers on this file (found by fuzzing); the
// reader runs in a child process, so the fault costs only the import.
TEST(WorkbookReader, AFileThatFaultsTheLibraryIsRefusedAndTheProgramGoesOn) {
    const std::filesystem::path file = std::filesystem::path(FENWARP_TEST_SOURCE_DIR) /
                                       "../fuzz/corpus/workbook/freexl_iconv_underflow.xls";
    ASSERT_TRUE(std::filesystem::exists(file));
    WorkbookConnection connection;
    connection.set_connection_text(connection_text(file));
    EXPECT_THROW(connection.open(), WorkbookError);
    EXPECT_FALSE(connection.is_open());
    connection.set_connection_text(connection_text(workbooks() / "sdo_upper.xls"));
    connection.open();
    EXPECT_EQ(connection.table_names(), std::vector<std::string>{"SDO$"});
}

TEST(WorkbookReader, AReaderThatRunsOutOfTimeIsGivenUp) {
    EXPECT_THROW(read_xls(workbooks() / "sdo_full.xls", std::chrono::milliseconds(0)),
                 WorkbookError);
    EXPECT_EQ(read_xls(workbooks() / "sdo_upper.xls").sheets.at(0).cells.at({1, 1}), "0x2100");
}

}  // namespace
}  // namespace fenwarp
