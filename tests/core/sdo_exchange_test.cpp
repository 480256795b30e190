// The SDO table's CSV export and workbook import.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "../fixtures/workbook_fixtures.h"
#include "core/documents/sdo/sdo_editor.h"
#include "core/error.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Row = std::vector<std::string>;

const test::TestWorkbooks& workbooks() {
    static const test::TestWorkbooks made;
    return made;
}

Row row_of(const TextGrid& grid, std::size_t row) {
    Row cells;
    for (std::size_t c = 1; c < grid.columns(); ++c) cells.push_back(grid.cell(row, c));
    return cells;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text after the last CR LF";
    return lines;
}

class SdoExportTest : public ::testing::Test {
  protected:
    std::vector<std::string> exported() {
        editor.export_csv(dir.path());
        return lines_of(test::read_file(dir / "sdo.csv"));
    }
    test::TempDir dir;
    SdoEditor editor;
};

TEST_F(SdoExportTest, AnEmptyTableGivesTwoHeadingLinesAnd3000EmptyRows) {
    const std::vector<std::string> lines = exported();
    ASSERT_EQ(lines.size(), 3002u);
    EXPECT_EQ(lines[0], "0,Index,Subindex,devID,Index,Subindex,nbyte,mnemonico,");
    EXPECT_EQ(lines[1], "0,,,,,,,,");
    EXPECT_EQ(lines[1500], "0,,,,,,,,");
    EXPECT_EQ(lines[1501], "1,Index,Subindex,devID,Index,Subindex,nbyte,mnemonico,");
    EXPECT_EQ(lines[3001], "1,,,,,,,,");
}

TEST_F(SdoExportTest, RowsCarryTheirConfAndQuoteOnlyFieldsThatNeedIt) {
    const Row a = {"1", "0x2000", "1", "5", "0x6000", "0", "2", "speed, \"left\""};
    const Row b = {"1", "x3000", "", "", "", "", "", "plain"};
    for (std::size_t c = 0; c < a.size(); ++c) editor.sga.set_cell(1, c + 1, a[c]);
    for (std::size_t c = 0; c < b.size(); ++c) editor.sgb.set_cell(1500, c + 1, b[c]);
    editor.sga.set_cell(2, 1, "true");  // only exactly "1" is set
    const std::vector<std::string> lines = exported();
    EXPECT_EQ(lines[1], "16,0x2000,1,5,0x6000,0,2,\"speed, \"\"left\"\"\",");
    EXPECT_EQ(lines[2], "0,,,,,,,,");
    EXPECT_EQ(lines[3001], "17,x3000,,,,,,plain,");
}

TEST_F(SdoExportTest, ASecondExportReplacesTheFirstIdentically) {
    test::write_file(dir / "sdo.csv", std::string(200000, '#'));
    editor.sga.set_cell(1, 1, "1");
    editor.export_csv(dir.path());
    const std::string first = test::read_file(dir / "sdo.csv");
    editor.export_csv(dir.path());
    EXPECT_EQ(test::read_file(dir / "sdo.csv"), first);
    EXPECT_EQ(first.find('#'), std::string::npos);
}

TEST_F(SdoExportTest, AFolderThatCannotBeWrittenThrows) {
    EXPECT_THROW(editor.export_csv(dir / "missing"), Error);
}

class SdoImportTest : public ::testing::Test {
  protected:
    ImportResult import(const std::string& file) { return import_workbook_at(workbooks() / file); }
    ImportResult import_workbook_at(const std::filesystem::path& file) {
        return editor.import_workbook(file, access);
    }
    // Leaves something on both pages for the import to clear.
    void fill_some() {
        for (TextGrid* grid : {&editor.sga, &editor.sgb}) {
            for (std::size_t c = 1; c < 9; ++c) grid->set_cell(3, c, "old");
        }
    }
    bool page_empty(const TextGrid& grid) {
        for (std::size_t r = 1; r < grid.rows(); ++r) {
            if (row_of(grid, r) != Row(8, "")) return false;
        }
        return true;
    }
    SdoEditor editor;
    WorkbookAccess access;
};

TEST_F(SdoImportTest, RecordsFillTheirPagesInSheetOrder) {
    fill_some();
    ImportResult result = import("sdo_both.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed);
    EXPECT_EQ(result.records_taken, 4u);
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"1", "0x2000", "1", "5", "0x6000", "0", "2", "speed"}));
    EXPECT_EQ(row_of(editor.sga, 2),
              (Row{"1", "x2002", "2", "1", "0X1000", "1", "4", "bits 4 and 5"}));
    EXPECT_EQ(row_of(editor.sgb, 1), (Row{"0", "8192", "1.5", "", "24576", "3", "4", ""}));
    EXPECT_EQ(row_of(editor.sgb, 2),
              (Row{"1", "$2001", "", "1073741824", "x6001", "1", "1", "a,b"}));
    EXPECT_EQ(row_of(editor.sga, 3), Row(8, ""));
    EXPECT_EQ(row_of(editor.sgb, 3), Row(8, ""));
    EXPECT_EQ(editor.sga.cell(0, 1), "RW");
    EXPECT_EQ(editor.sga.cell(1, 0), "0");
}

TEST_F(SdoImportTest, FailuresKeepWhatWasFilledAndWhatWasCleared) {
    struct Case {
        const char* file;
        ImportStatus status;
        const char* a1;  // IndexA of the first CAN 0 row
        const char* b1;  // IndexA of the first CAN 1 row
        bool kept;       // no record taken: the pages keep what they held
    };
    const Case cases[] = {
        {"sdo_upper.xls", ImportStatus::Completed, "0x2100", "", false},
        {"sdo_suffix.xls", ImportStatus::SheetMissing, "", "", true},
        {"absent.xls", ImportStatus::Unreadable, "", "", true},
        {"sdo_gap.xls", ImportStatus::Completed, "0x2200", "0x2201", false},
        {"sdo_stop.xls", ImportStatus::Stopped, "", "0x2300", false},
        {"sdo_narrow.xls", ImportStatus::Stopped, "", "", true},
    };
    for (const Case& c : cases) {
        editor.reset();
        fill_some();
        EXPECT_EQ(import(c.file).status, c.status) << c.file;
        EXPECT_EQ(editor.sga.cell(1, 2), c.a1) << c.file;
        EXPECT_EQ(editor.sgb.cell(1, 2), c.b1) << c.file;
        EXPECT_EQ(editor.sga.cell(2, 2), "") << c.file;
        const Row row3 = c.kept ? Row(8, "old") : Row(8, "");
        EXPECT_EQ(row_of(editor.sga, 3), row3) << c.file;
        EXPECT_EQ(row_of(editor.sgb, 3), row3) << c.file;
        EXPECT_FALSE(access.connection.is_open()) << c.file;
    }
}

TEST_F(SdoImportTest, AFullPageEndsTheImport) {
    ImportResult result = import("sdo_full.xls");
    EXPECT_EQ(result.status, ImportStatus::Stopped);
    EXPECT_EQ(result.records_taken, 1500u);
    EXPECT_NE(result.reason.find("full"), std::string::npos) << result.reason;
    EXPECT_EQ(editor.sga.cell(1500, 2), "1499");
    EXPECT_TRUE(page_empty(editor.sgb));
}

TEST_F(SdoImportTest, AWorkbookThatGivesNoRecordLeavesThePagesAlone) {
    for (const char* file : {"sdo_headings.xls", "sdo_empty.xls", "sdo_blank.xls"}) {
        fill_some();
        ImportResult result = import(file);
        EXPECT_EQ(result.status, ImportStatus::NoRecords) << file;
        EXPECT_EQ(result.records_taken, 0u) << file;
        EXPECT_EQ(row_of(editor.sga, 3), Row(8, "old")) << file;
        EXPECT_EQ(row_of(editor.sgb, 3), Row(8, "old")) << file;
    }
}

TEST_F(SdoImportTest, AnExportSavedByASpreadsheetComesBackWithoutBlankOrHeadingRecords) {
    ImportResult result = import("sdo_exported.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed);
    EXPECT_EQ(result.records_taken, 2u);
    ASSERT_EQ(result.skipped.size(), 4u);
    EXPECT_EQ(result.skipped[0].record, 2u);
    EXPECT_EQ(result.skipped[0].reason, "blank record");
    EXPECT_EQ(result.skipped[2].record, 4u);
    EXPECT_EQ(result.skipped[2].reason, "heading record");
    EXPECT_EQ(result.skipped[3].record, 6u);
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"1", "0x2000", "1", "5", "0x6000", "0", "2", "speed"}));
    EXPECT_EQ(row_of(editor.sga, 2), Row(8, ""));
    EXPECT_EQ(editor.sgb.cell(1, 2), "0x3000");
    EXPECT_EQ(row_of(editor.sgb, 2), Row(8, ""));
}

TEST_F(SdoImportTest, AFormulaCellStopsTheImportNamingItsPlace) {
    ImportResult result = import("sdo_formula.xls");
    EXPECT_EQ(result.status, ImportStatus::RefusedCell);
    EXPECT_EQ(result.reason,
              "Sheet sdo, row 3, column B holds a formula: formulas must be replaced by values");
    EXPECT_EQ(editor.sga.cell(1, 2), "0x2000");
    EXPECT_EQ(editor.sga.cell(2, 2), "");
}

TEST_F(SdoImportTest, NumbersReadAsASpreadsheetShowsThemAndBooleansAsOneOrZero) {
    ASSERT_EQ(import("sdo_values.xls").status, ImportStatus::Completed);
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"1", "0.3", "1", "0", "0x6000", "0", "2", "m"}));
}

TEST_F(SdoImportTest, AFifoIsRefusedWithoutBeingOpened) {
    test::TempDir dir;
    const std::filesystem::path fifo = dir / "x.xls";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fill_some();
    ImportResult result = import_workbook_at(fifo);
    EXPECT_EQ(result.status, ImportStatus::Unreadable);
    EXPECT_NE(result.reason.find("not a regular file"), std::string::npos) << result.reason;
    EXPECT_EQ(row_of(editor.sga, 3), Row(8, "old"));
}

TEST_F(SdoImportTest, ImportThenExportGivesTheSheetsLayout) {
    import("sdo_upper.xls");
    test::TempDir dir;
    editor.export_csv(dir.path());
    std::istringstream csv(test::read_file(dir / "sdo.csv"));
    std::string heading, first;
    std::getline(csv, heading);
    std::getline(csv, first);
    EXPECT_EQ(first, "0,0x2100,1,2,0x6000,0,2,m,\r");
}

}  // namespace
}  // namespace fenwarp
