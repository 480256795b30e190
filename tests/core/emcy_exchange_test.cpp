// The EMCY translation table's CSV export, workbook import and bank records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../fixtures/emcy_workbooks.h"
#include "bank_test_project.h"
#include "core/banks/bank_compiler.h"
#include "core/documents/emcy/emcy_editor.h"
#include "core/error.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Texts = std::vector<std::string>;
using Fields = std::array<std::string, TClEmcy::text_field_count>;

const test::EmcyWorkbooks& workbooks() {
    static const test::EmcyWorkbooks made;
    return made;
}

void add(EmcyEditor& editor, int direction, const Fields& fields, bool enable, int alias) {
    MessageRecorder messages;
    EmcyPage& page = editor.page(direction);
    page.inputs = fields;
    page.enable = enable;
    page.alias = alias;
    ASSERT_EQ(editor.new_entry(direction, messages), EntryEdit::Stored);
}

Fields id_only(const std::string& id) {
    Fields fields;
    fields.fill("0");
    fields[0] = id;
    return fields;
}

TEST(EmcyExportTest, OneLinePerEntryInListOrderWithoutHeading) {
    test::TempDir dir;
    EmcyEditor editor;
    add(editor, 0, id_only("5"), true, 0);
    add(editor, 0, id_only("3"), false, 3);
    add(editor, 1, {"0x10", "0x8130", "a,b", "", "", "", "", "", "", "", "9"}, true, 4);
    editor.export_csv(dir.path());
    EXPECT_EQ(test::read_file(dir / "emcydef.csv"),
              "5,0,0,0,0,0,0,0,0,0,0,1,\r\n"
              "3,0,0,0,0,0,0,0,0,0,0,6,\r\n"
              "0x10,0x8130,\"a,b\",0,0,0,0,0,0,0,9,41,\r\n");
    EXPECT_THROW(editor.export_csv(dir / "missing"), Error);
}

TEST(EmcyExportTest, AnEmptyTableGivesAnEmptyFile) {
    test::TempDir dir;
    EmcyEditor editor;
    editor.export_csv(dir.path());
    EXPECT_EQ(test::read_file(dir / "emcydef.csv"), "");
}

class EmcyImportTest : public ::testing::Test {
  protected:
    ImportResult import(const std::string& file) {
        return editor.import_workbook(workbooks() / file, access);
    }
    // Something on both pages for the import to clear or to keep.
    void fill_some() {
        editor.reset();
        add(editor, 0, id_only("old0"), false, 0);
        add(editor, 1, id_only("old1"), false, 0);
    }
    EmcyEditor editor;
    WorkbookAccess access;
};

TEST_F(EmcyImportTest, RecordsGoToTheListOfTheirDirectionAndEachFirstIsShown) {
    fill_some();
    const ImportResult result = import("emcy_both.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed) << result.reason;
    EXPECT_EQ(result.records_taken, 5u);
    const EmcyPage& can0 = editor.page(0);
    const EmcyPage& can1 = editor.page(1);
    EXPECT_EQ(can0.items, (Texts{"5", "", "7"}));
    EXPECT_EQ(can1.items, (Texts{"0x10", "abc"}));
    // Empty cells give empty texts, not "0"; numbers read as a spreadsheet
    // shows them.
    EXPECT_EQ(can0.list[1].fields, Fields{});
    EXPECT_EQ(can0.list[1].alias_sel, 3);
    EXPECT_EQ(can1.list[0].fields,
              (Fields{"0x10", "0x8130", "255", "", "1.5", "0", "0", "0xFFFF", "0", "0", "0"}));
    EXPECT_TRUE(can1.list[0].enable);
    EXPECT_EQ(can1.list[1].alias_sel, 4);
    EXPECT_TRUE(can0.list[2].enable);  // 65: bit 6 means nothing
    EXPECT_EQ(can0.selected, 0u);
    EXPECT_EQ(can0.inputs[0], "5");
    EXPECT_EQ(can1.selected, 0u);
    EXPECT_EQ(can1.inputs[1], "0x8130");
    EXPECT_EQ(can1.alias, 0);
    EXPECT_FALSE(access.connection.is_open());
}

TEST_F(EmcyImportTest, AStopKeepsTheRecordsBeforeItAndNoRecordKeepsTheOldLists) {
    struct Case {
        const char* file;
        ImportStatus status;
        Texts can0;
        Texts can1;
    };
    const Case cases[] = {
        {"emcy_stop.xls", ImportStatus::Stopped, {"1"}, {"2"}},
        {"emcy_empty_bypass.xls", ImportStatus::Stopped, {"1"}, {}},
        {"emcy_first_bad.xls", ImportStatus::Stopped, {"old0"}, {"old1"}},
        {"emcy_narrow.xls", ImportStatus::Stopped, {"old0"}, {"old1"}},
        {"emcy_suffix.xls", ImportStatus::SheetMissing, {"old0"}, {"old1"}},
        {"absent.xls", ImportStatus::Unreadable, {"old0"}, {"old1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        fill_some();
        EXPECT_EQ(import(c.file).status, c.status);
        EXPECT_EQ(editor.page(0).items, c.can0);
        EXPECT_EQ(editor.page(1).items, c.can1);
        EXPECT_EQ(editor.page(0).list.size(), c.can0.size());
        EXPECT_EQ(editor.page(1).list.size(), c.can1.size());
        EXPECT_FALSE(access.connection.is_open());
    }
    fill_some();
    EXPECT_EQ(import("emcy_stop.xls").reason.find("record 3"), 0u);
}

// The records an editor-saved document compiles to are those the compiler
// packs for the same entries written by hand.
TEST(EmcyBankTest, AnEditorSavedDocumentCompilesToTheExpectedRecords) {
    test::BankProject project;
    project.write("pargen.xml", test::default_pargen());
    EmcyEditor editor;
    add(editor, 1, {"9", "1", "2", "3", "4", "5", "6", "7", "8", "0x1234", "10"}, false, 8);
    add(editor, 0,
        {"7", "0x8130", "0x5A", "0x0102", "0x0304", "5", "0xFFFF", "0xFF", "0", "0", "0"}, true, 1);
    add(editor, 0, id_only("2"), false, 0);
    editor.save_document(project.path() / "emcydef.xml");

    BankImages images;
    MessageRecorder messages;
    const CompileOutcome outcome = compile_banks(project.path(), images, messages);
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(test::bytes_at(images.bank(2), 0, 18),
              (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(test::bytes_at(images.bank(2), 18, 18),
              (Bytes{7, 0x81, 0x30, 0x5A, 0x01, 0x02, 0x03, 0x04, 5, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0,
                     0, 3}));
    EXPECT_EQ(test::bytes_at(images.bank(2), 36, 18),
              (Bytes{9, 0, 1, 2, 0, 3, 0, 4, 5, 0, 6, 7, 0, 8, 0x12, 0x34, 10, 48}));
    EXPECT_EQ(outcome.directory.emcy.first_count, 2);
    EXPECT_EQ(outcome.directory.emcy.second_offset, 36);
    EXPECT_EQ(outcome.directory.emcy.second_count, 1);
}

}  // namespace
}  // namespace fenwarp
