// The stored PDO map's CSV export, workbook import and what the banks make
// of a saved map.
#include <gtest/gtest.h>

#include "../fixtures/workbook_fixtures.h"
#include "bank_test_project.h"
#include "core/banks/bank_compiler.h"
#include "core/documents/sdopdo/stored_pdo_editor.h"

namespace fenwarp {
namespace {

using test::document;
using test::pdo_row;
using test::row;
using Texts = std::vector<std::string>;

const test::TestWorkbooks& workbooks() {
    static const test::TestWorkbooks made;
    return made;
}

std::string entry_row(const std::string& index, const std::string& subindex,
                      const std::string& nrpdo, const std::string& poscomp) {
    return row({{"index", index}, {"subindex", subindex}, {"nrpdo", nrpdo}, {"poscomp", poscomp}});
}

// A project with three "Can0" PDOs and two "Can1" PDOs, each "Can0" PDO
// holding one entry.
class StoredPdoExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        project.table("rpdodef",
                      {pdo_row("0x181", "0"), pdo_row("0x201", "2"), pdo_row("0x182", "1"),
                       pdo_row("0x202", "3"), pdo_row("0x183", "0")});
        project.table("sdo", {});
        project.table("sdopdo",
                      {entry_row("0x3002", "0", "3", "0"), entry_row("0x3000", "0", "1", "1"),
                       entry_row("0x3001", "0", "2", "2")});
        load();
    }
    void load() {
        MessageRecorder messages;
        editor.load(project.path() / "sdopdo.xml", messages);
        ASSERT_TRUE(messages.texts.empty()) << messages.texts.front();
    }
    Texts all_entries() {
        Texts texts;
        for (int t : {0, 1}) {
            for (const TClPdo& pdo : editor.tab(t).pdos) {
                for (const TClSdo& e : pdo.stored) {
                    texts.push_back(std::to_string(t) + ":" + std::to_string(pdo.position) + ":" +
                                    e.index + "/" + e.subindex + "/" + e.poscomp);
                }
            }
        }
        return texts;
    }
    ImportResult import(const std::string& file) {
        editor.pdo_click(0, 0);
        editor.set_edits(0, "typed", "1");
        return editor.import_workbook(workbooks() / file, access);
    }

    test::BankProject project;
    StoredPdoEditor editor;
    WorkbookAccess access;
};

TEST_F(StoredPdoExchangeTest, ExportWritesEveryEntryInListOrderWithoutHeading) {
    MessageRecorder messages;
    editor.pdo_click(1, 1);
    editor.set_edits(1, "0x2000", "a,b");
    editor.set_choices(1, 2, 5);
    editor.new_sdo(1, messages);
    editor.export_csv(project.path());
    EXPECT_EQ(test::read_file(project.path() / "sdopdo.csv"),
              "0x3000,0,1,1,\r\n0x3001,0,2,2,\r\n0x3002,0,3,0,\r\n0x2000,\"a,b\",130,37,\r\n");
}

TEST_F(StoredPdoExchangeTest, ImportReplacesEveryEntryAndSkipsPositionsNamingNoPdo) {
    const ImportResult result = import("sdopdo_map.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed) << result.reason;
    EXPECT_EQ(result.records_taken, 3u);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].record, 2u);
    EXPECT_NE(result.skipped[0].reason.find("nrpdo 5"), std::string::npos);
    EXPECT_EQ(all_entries(), (Texts{"0:1:8194/2/", "1:1:$2003/3/18", "1:2:0x2000/1/37"}));
    EXPECT_EQ(editor.tab(0).index_edit, "");
    EXPECT_FALSE(editor.tab(0).selected_pdo);
}

TEST_F(StoredPdoExchangeTest, AnImportThatTakesNothingLeavesTheEntries) {
    const Texts before = all_entries();
    struct Case {
        const char* file;
        ImportStatus status;
        Texts entries;
    };
    const Case cases[] = {
        {"sdo_both.xls", ImportStatus::SheetMissing, before},
        {"absent.xls", ImportStatus::Unreadable, before},
        {"sdopdo_zero.xls", ImportStatus::Stopped, before},
        {"sdopdo_none.xls", ImportStatus::Stopped, before},
        // Stopped after one record: that one is kept, the old entries are not.
        {"sdopdo_stop.xls", ImportStatus::Stopped, {"0:2:0x2100/1/0"}},
    };
    for (const Case& c : cases) {
        const ImportResult result = import(c.file);
        EXPECT_EQ(result.status, c.status) << c.file;
        EXPECT_EQ(all_entries(), c.entries) << c.file;
        EXPECT_EQ(editor.tab(0).index_edit, "") << c.file;  // cleared once the workbook is chosen
        EXPECT_FALSE(access.connection.is_open()) << c.file;
    }
}

TEST_F(StoredPdoExchangeTest, TheBanksPackASavedMapAsTheCompilerReadsIt) {
    MessageRecorder messages;
    editor.pdo_click(1, 0);
    editor.set_edits(1, "0x2100", "3");
    editor.set_choices(1, 2, 5);
    editor.new_sdo(1, messages);
    editor.save_document(project.path() / "sdopdo.xml");
    project.write("pargen.xml", test::default_pargen());
    BankImages images;
    const CompileOutcome outcome = compile_banks(project.path(), images, messages);
    ASSERT_TRUE(outcome.complete);
    const std::vector<std::uint8_t> expected = {0x30, 0x00, 0x00, 1,    1,    0x30, 0x01,
                                                0x00, 2,    2,    0x30, 0x02, 0x00, 3,
                                                0,    0x21, 0x00, 0x03, 0x81, 0x25};
    EXPECT_EQ(test::bytes_at(images.bank(1), 0, expected.size()), expected);
    EXPECT_EQ(outcome.directory.stored_pdo, (TableEntry{0, 3, 15, 1}));
}

}  // namespace
}  // namespace fenwarp
