// The EMCY word map's CSV export, workbook import and what the bank compiler
// makes of a map the editor saved.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../fixtures/workbook_fixtures.h"
#include "bank_test_project.h"
#include "core/banks/bank_compiler.h"
#include "core/documents/emcyword/emcy_word_editor.h"
#include "core/error.h"

namespace fenwarp {
namespace {

using Texts = std::vector<std::string>;

const test::TestWorkbooks& workbooks() {
    static const test::TestWorkbooks made;
    return made;
}

// Adds a word through New with one bit defined through Modify.
void add_word(EmcyWordEditor& editor, int page, WordFields key, std::size_t bit, BitFields fields) {
    MessageRecorder messages;
    EmcyWordPage& p = editor.pages[static_cast<std::size_t>(page)];
    p.word_fields = std::move(key);
    ASSERT_TRUE(editor.new_word(page, messages));
    editor.show_node(page, word_node(p.words.size() - 1) + bit + 1);
    p.bit_fields = std::move(fields);
    ASSERT_EQ(editor.modify(page, messages), WordEdit::Stored);
}

std::string empty_fields(std::size_t count) {
    return std::string(count, ',');
}

TEST(EmcyWordExportTest, OneLinePerWordInListOrderCan0First) {
    EmcyWordEditor editor;
    add_word(editor, 1, {"0x3000", "1", "9"}, 0, {"0xFF", "a,b", "2", "5"});
    add_word(editor, 0, {"0x2000", "2", "4"}, 15, {"", "3", "1", "20"});
    add_word(editor, 0, {"0x1000", "1", "4"}, 1, {"1", "2", "0", "1"});
    test::TempDir dir;
    editor.export_csv(dir.path());
    const std::string expected = "0x2000,2,0,4," + empty_fields(45) + ",3,36,\r\n" +     //
                                 "0x1000,1,0,4,,,,1,2,1," + empty_fields(42) + "\r\n" +  //
                                 "0x3000,1,1,9,0xFF,\"a,b\",37," + empty_fields(45) + "\r\n";
    EXPECT_EQ(test::read_file(dir / "emcyword.csv"), expected);
    EXPECT_THROW(editor.export_csv(dir / "missing"), Error);
}

class EmcyWordImportTest : public ::testing::Test {
  protected:
    ImportResult import(const std::string& file) {
        return editor.import_workbook(workbooks() / file, access);
    }
    Texts indexes(int page) {
        Texts found;
        for (const TClWEmcy& w : editor.pages[static_cast<std::size_t>(page)].words) {
            found.push_back(w.index_addrm);
        }
        return found;
    }
    EmcyWordEditor editor;
    WorkbookAccess access;
};

TEST_F(EmcyWordImportTest, RecordsFillThePagesTheirExtdataNames) {
    add_word(editor, 0, {"old", "1", "1"}, 0, {"", "", "0", "0"});
    editor.pages[1].word_fields = {"typed", "", ""};
    const ImportResult result = import("emcyword.xls");
    EXPECT_EQ(result.status, ImportStatus::Completed) << result.reason;
    EXPECT_EQ(result.records_taken, 3u);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].record, 3u);
    EXPECT_EQ(indexes(0), (Texts{"0x2100"}));
    EXPECT_EQ(indexes(1), (Texts{"0x2000", "8448"}));
    const TClWEmcy& first = editor.pages[1].words[0];
    EXPECT_EQ(key_texts(first), (WordKeyTexts{"0x2000", "1", "4"}));
    EXPECT_EQ(first.bits[0], (ClEbm{"0xFF", "3", "37"}));
    EXPECT_EQ(first.bits[1], ClEbm{});
    EXPECT_EQ(editor.pages[0].words[0].devid, "5");
    EXPECT_EQ(editor.pages[0].words[0].bits[15], (ClEbm{"1", "", "x12"}));
    EXPECT_EQ(editor.pages[1].tree.nodes()[17].caption(), "W1");
    for (const EmcyWordPage& p : editor.pages) {
        EXPECT_FALSE(p.tree.selected());
        EXPECT_EQ(p.word_fields, WordFields{});
    }
}

TEST_F(EmcyWordImportTest, AnEndedImportKeepsTheWordsBeforeItAndAFruitlessOneChangesNothing) {
    struct Case {
        const char* file;
        ImportStatus status;
        Texts can0;
        Texts can1;
    };
    const Case cases[] = {
        {"emcyword_stop.xls", ImportStatus::Stopped, {"0x2300"}, {}},
        {"emcyword_text.xls", ImportStatus::Stopped, {}, {"0x2400"}},
        {"emcyword_narrow.xls", ImportStatus::Stopped, {"kept"}, {}},
        {"emcyword_none.xls", ImportStatus::Stopped, {"kept"}, {}},
        {"sdo_upper.xls", ImportStatus::SheetMissing, {"kept"}, {}},
        {"absent.xls", ImportStatus::Unreadable, {"kept"}, {}},
    };
    for (const Case& c : cases) {
        editor.reset();
        editor.pages[0].word_fields = {"kept", "1", "1"};
        MessageRecorder messages;
        editor.new_word(0, messages);
        EXPECT_EQ(import(c.file).status, c.status) << c.file;
        EXPECT_EQ(indexes(0), c.can0) << c.file;
        EXPECT_EQ(indexes(1), c.can1) << c.file;
        EXPECT_FALSE(access.connection.is_open()) << c.file;
    }
}

TEST(EmcyWordBankTest, TheCompilerPacksTheSavedMapInSaveOrder) {
    test::BankProject project;
    project.write("pargen.xml", test::default_pargen());
    EmcyWordEditor editor;
    add_word(editor, 1, {"0x2001", "2", "5"}, 3, {"0xF0", "0x0F", "2", "5"});
    add_word(editor, 1, {"0x2002", "1", "3"}, 0, {"1", "2", "0", "3"});
    add_word(editor, 1, {"0", "1", "4"}, 0, {"1", "2", "0", "3"});
    add_word(editor, 0, {"0x2100", "1", "4"}, 15, {"7", "8", "1", "20"});
    editor.save_document(project.path() / "emcyword.xml");

    BankImages images;
    MessageRecorder messages;
    const CompileOutcome outcome = compile_banks(project.path(), images, messages);
    ASSERT_TRUE(outcome.complete);
    // No EMCY table: the word table starts at 0 with its first group, the
    // Can1 words in save order; a word with index_addrm 0 is left out.
    EXPECT_EQ(outcome.directory.emcy_word, (TableEntry{0, 2, 106, 1}));
    EXPECT_EQ(test::bytes_at(images.bank(2), 0, 8),
              (std::vector<std::uint8_t>{0x20, 0x02, 1, 1, 3, 1, 2, 3}));
    std::vector<std::uint8_t> can1(53, 0xFF);  // empty texts pack as 0xFF
    can1[0] = 0x20, can1[1] = 0x01, can1[2] = 2, can1[3] = 1, can1[4] = 5;
    can1[5 + 9] = 0xF0, can1[6 + 9] = 0x0F, can1[7 + 9] = 37;
    EXPECT_EQ(test::bytes_at(images.bank(2), 53, 53), can1);
    std::vector<std::uint8_t> can0(53, 0xFF);
    can0[0] = 0x21, can0[1] = 0x00, can0[2] = 1, can0[3] = 0, can0[4] = 4;
    can0[5 + 45] = 7, can0[6 + 45] = 8, can0[7 + 45] = 36;
    EXPECT_EQ(test::bytes_at(images.bank(2), 106, 53), can0);
}

}  // namespace
}  // namespace fenwarp
