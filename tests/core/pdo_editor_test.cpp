// The PDO translation table: load, save order, CSV export and workbook import.
#include "core/documents/pdo/pdo_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../fixtures/workbook_fixtures.h"
#include "bank_test_project.h"
#include "core/banks/bank_compiler.h"
#include "core/documents/document_messages.h"
#include "core/documents/xml_document.h"
#include "core/error.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Row = std::vector<std::string>;

// Columns 1 to 5 of a grid row: cobid, id_dev_orig, translate, posind, n_tpdo.
Row row_of(const TextGrid& grid, std::size_t row) {
    Row cells;
    for (std::size_t c = 1; c < grid.columns(); ++c) cells.push_back(grid.cell(row, c));
    return cells;
}

void fill_row(TextGrid& grid, std::size_t row, const Row& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) grid.set_cell(row, c + 1, cells[c]);
}

std::string xml_row(const std::string& cobid, const std::string& en_bypass,
                    const std::string& id = "1") {
    return "<row cobid=\"" + cobid + "\" id_dev_orig=\"" + id + "\" en_bypass=\"" + en_bypass +
           "\" posind=\"4\" n_tpdo=\"5\"/>";
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

class PdoEditorTest : public ::testing::Test {
  protected:
    LoadResult load(const std::string& xml) {
        test::write_file(file, xml);
        return editor.load(file, messages);
    }
    // The cobid and en_bypass of each saved row, in document order.
    std::vector<std::string> saved() {
        editor.save_document(file);
        std::vector<std::string> rows;
        const XmlDocument document = XmlDocument::load(file);
        for (const XmlElement& row : document.root().children()) {
            rows.push_back(row.attribute("cobid") + "/" + row.attribute("en_bypass"));
        }
        return rows;
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "rpdodef.xml";
    PdoEditor editor;
    MessageRecorder messages;
};

TEST_F(PdoEditorTest, ResetLaysOutTenRowsUnderTheHeadingRow) {
    for (const TextGrid* grid : {&editor.sga, &editor.sgb}) {
        ASSERT_EQ(grid->rows(), 11u);
        ASSERT_EQ(grid->columns(), 6u);
        EXPECT_EQ(row_of(*grid, 0), (Row{"cobid", "id_dev_orig", "en_bypass", "posind", "n_tpdo"}));
        EXPECT_EQ(grid->cell(0, 0), "N");
        EXPECT_EQ(grid->cell(1, 0), "0");
        EXPECT_EQ(grid->cell(10, 0), "9");
    }
}

TEST_F(PdoEditorTest, EachRowGoesToThePageOfBit1WithTheTranslateFlagOfBit0) {
    const LoadResult result = load("<rpdodef>" + xml_row("0x181", "2") + xml_row("0x201", "0") +
                                   xml_row("0x182", "3") + "</rpdodef>");
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"0x181", "1", "0", "4", "5"}));
    EXPECT_EQ(row_of(editor.sga, 2), (Row{"0x182", "1", "1", "4", "5"}));
    EXPECT_EQ(row_of(editor.sgb, 1), (Row{"0x201", "1", "0", "4", "5"}));
    EXPECT_EQ(row_of(editor.sgb, 2), Row(5, ""));
}

TEST_F(PdoEditorTest, LoadFailuresSayWhyAndKeepTheRowsBefore) {
    struct Case {
        const char* xml;
        const char* message;
        const char* a1;
    };
    const std::string good = xml_row("0x181", "2");
    const std::string cases_xml[] = {
        "<rpdodef>" + good + "<row cobid=\"1\" en_bypass=\"2\"/></rpdodef>",
        "<rpdodef>" + good + xml_row("0x182", "two") + "</rpdodef>",
        "<rpdodef>" + good + "<row",
    };
    const char* expected_a1[] = {"0x181", "0x181", ""};
    for (int i = 0; i < 3; ++i) {
        messages.clear();
        EXPECT_EQ(load(cases_xml[i]).status, LoadStatus::Unreadable) << i;
        EXPECT_EQ(messages.texts, std::vector<std::string>{document_messages::read_error}) << i;
        EXPECT_EQ(editor.sga.cell(1, 1), expected_a1[i]) << i;
        EXPECT_EQ(editor.sga.cell(2, 1), "") << i;
    }
    messages.clear();
    std::filesystem::remove(file);
    EXPECT_EQ(editor.load(file, messages).status, LoadStatus::Missing);
    EXPECT_EQ(messages.texts, std::vector<std::string>{document_messages::not_found});
    EXPECT_EQ(editor.sga.cell(1, 1), "");
}

TEST_F(PdoEditorTest, MoreThanTenRowsOfOneDirectionKeepTheFirstTenAndSaySo) {
    std::string xml = "<rpdodef>";
    for (int i = 0; i < 12; ++i) xml += xml_row(std::to_string(0x181 + i), "0");
    xml += xml_row("0x181", "2") + "</rpdodef>";
    const LoadResult result = load(xml);
    EXPECT_EQ(result.records, 11u);
    EXPECT_EQ(result.dropped, 2u);
    EXPECT_EQ(messages.texts,
              std::vector<std::string>{
                  "Too many rows in file XML: each page holds 10, the rest was not loaded"});
    EXPECT_EQ(editor.sgb.cell(10, 1), std::to_string(0x181 + 9));
    EXPECT_EQ(editor.sga.cell(1, 1), "0x181");
}

TEST_F(PdoEditorTest, SaveOrdersByCobidWithEqualCobidsInReverseGridOrder) {
    fill_row(editor.sga, 1, {"0x181", "1", "1", "0", "0"});
    fill_row(editor.sga, 2, {"0x180", "2", "0", "0", "0"});
    fill_row(editor.sga, 3, {"384", "3", "yes", "0", "0"});
    fill_row(editor.sgb, 1, {"0x201", "4", "1"});
    fill_row(editor.sgb, 3, {"0x100", "5", "1"});  // below an empty cobid: not saved
    EXPECT_EQ(saved(), (std::vector<std::string>{"384/2", "0x180/2", "0x181/3", "0x201/1"}));
    const XmlDocument document = XmlDocument::load(file);
    EXPECT_EQ(document.root().child(0).attribute("id_dev_orig"), "3");
}

TEST_F(PdoEditorTest, CobidsAboveTheCeilingTakeTheirPlaceAndEveryRowIsWrittenOnce) {
    const char* cobids[] = {"0x40000181", "0x181", "0x999999", "0x80000181", "0x9999A0", "0x181"};
    for (std::size_t r = 0; r < 6; ++r) fill_row(editor.sgb, r + 1, {cobids[r], std::to_string(r)});
    editor.save_document(file);
    std::vector<std::string> order;
    const XmlDocument document = XmlDocument::load(file);
    for (const XmlElement& row : document.root().children()) {
        order.push_back(row.attribute("id_dev_orig"));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"3", "5", "1", "2", "4", "0"}));
}

TEST_F(PdoEditorTest, ACobidThatDoesNotConvertEndsTheSaveNamingIt) {
    test::write_file(file, "<rpdodef/>");
    fill_row(editor.sga, 1, {"0x181"});
    fill_row(editor.sga, 2, {"0x18g"});
    try {
        editor.save_document(file);
        FAIL() << "saved";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "rpdodef.xml: row 1 of sga, field cobid: '0x18g' is not a valid integer value");
    }
    EXPECT_EQ(test::read_file(file), "<rpdodef/>");
    EXPECT_EQ(editor.sga.cell(2, 1), "0x18g");
}

TEST_F(PdoEditorTest, AnEmptyTableExports22LinesWithTheDirectionCodes) {
    editor.export_csv(dir.path());
    std::vector<std::string> lines = lines_of(test::read_file(dir / "rpdodef.csv"));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "cobid,id_dev_orig,00,posind,n_tpdo,");
    EXPECT_EQ(lines[1], ",,00,,,");
    EXPECT_EQ(lines[11], "cobid,id_dev_orig,10,posind,n_tpdo,");
    EXPECT_EQ(lines[21], ",,10,,,");
    fill_row(editor.sga, 1, {"0x181", "1", "1", "2", "3"});
    fill_row(editor.sgb, 10, {"0x201", "1", "1"});
    editor.export_csv(dir.path());
    lines = lines_of(test::read_file(dir / "rpdodef.csv"));
    EXPECT_EQ(lines[1], "0x181,1,01,2,3,");
    EXPECT_EQ(lines[21], "0x201,1,11,,,");
}

TEST_F(PdoEditorTest, ASavedTableCompilesToTheBank2OfTheDocumentItsOrderDescribes) {
    fill_row(editor.sga, 1, {"0x182", "3", "1", "1", "2"});
    fill_row(editor.sga, 2, {"0x181", "3", "0", "1", "2"});
    fill_row(editor.sgb, 1, {"0x201", "3", "1", "1", "2"});
    test::BankProject by_editor, by_hand;
    for (const test::BankProject* project : {&by_editor, &by_hand}) {
        project->write("pargen.xml", test::default_pargen());
        project->table("sdo", {});
        project->table("sdopdo", {});
        project->table("emcydef", {});
        project->table("emcyword", {});
    }
    editor.save_document(by_editor.path() / "rpdodef.xml");
    by_hand.table("rpdodef", {test::pdo_row("0x181", "2"), test::pdo_row("0x182", "3"),
                              test::pdo_row("0x201", "1")});
    BankImages editor_banks, hand_banks;
    MessageRecorder quiet;
    ASSERT_TRUE(compile_banks(by_editor.path(), editor_banks, quiet).complete);
    ASSERT_TRUE(compile_banks(by_hand.path(), hand_banks, quiet).complete);
    EXPECT_TRUE(editor_banks.bank(2) == hand_banks.bank(2));
    EXPECT_TRUE(quiet.texts.empty());
}

class PdoImportTest : public PdoEditorTest {
  protected:
    ImportResult import(const std::string& name) {
        return editor.import_workbook(workbooks / name, access);
    }
    test::TestWorkbooks workbooks;
    WorkbookAccess access;
};

TEST_F(PdoImportTest, TheThirdColumnGivesPageAndTranslateFlag) {
    fill_row(editor.sga, 5, {"old", "old", "1", "old", "old"});
    const ImportResult result = import("rpdodef.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed);
    EXPECT_EQ(result.records_taken, 3u);
    EXPECT_EQ(result.skipped.size(), 2u);
    EXPECT_EQ(row_of(editor.sgb, 1), (Row{"0x181", "1", "1", "2", "3"}));
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"384", "2", "0", "0", "1"}));
    EXPECT_EQ(row_of(editor.sga, 2), (Row{"0x201", "3", "1", "1", "1"}));
    EXPECT_EQ(row_of(editor.sga, 5), Row(5, ""));
    EXPECT_EQ(row_of(editor.sgb, 2), Row(5, ""));
}

TEST_F(PdoImportTest, AFullPageOrACodeThatDoesNotConvertStopsTheImport) {
    ImportResult full = import("rpdodef_full.xls");
    EXPECT_EQ(full.status, ImportStatus::Stopped);
    EXPECT_EQ(full.records_taken, 10u);
    EXPECT_NE(full.reason.find("record 11"), std::string::npos) << full.reason;
    EXPECT_EQ(editor.sga.cell(10, 1), std::to_string(0x180 + 9));

    ImportResult bad = import("rpdodef_bad.xls");
    EXPECT_EQ(bad.status, ImportStatus::Stopped);
    EXPECT_NE(bad.reason.find("en_bypass \"x\" does not convert"), std::string::npos) << bad.reason;
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"0x181", "1", "1", "0", "0"}));
    EXPECT_EQ(row_of(editor.sga, 2), Row(5, ""));
}

}  // namespace
}  // namespace fenwarp
