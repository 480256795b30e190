// The stored PDO dialog's state: load, the entry operations and the save.
#include <gtest/gtest.h>

#include "bank_test_project.h"
#include "core/documents/sdopdo/stored_pdo_editor.h"
#include "core/error.h"

namespace fenwarp {
namespace {

using test::document;
using test::pdo_row;
using test::row;
using test::sdo_row;
using Texts = std::vector<std::string>;

std::string entry_row(const std::string& index, const std::string& subindex,
                      const std::string& nrpdo, const std::string& poscomp = "0") {
    return row({{"index", index}, {"subindex", subindex}, {"nrpdo", nrpdo}, {"poscomp", poscomp}});
}

// Three "Can0" PDOs (en_bypass bit 1 clear) and two "Can1" PDOs, in mixed
// document order.
std::string five_pdos() {
    return document("rpdodef", {pdo_row("0x181", "0"), pdo_row("0x201", "2"), pdo_row("0x182", "1"),
                                pdo_row("0x202", "3"), pdo_row("0x183", "0")});
}

class StoredPdoEditorTest : public ::testing::Test {
  protected:
    void write(const std::string& name, const std::string& content) {
        test::write_file(dir / name, content);
    }
    StoredPdoLoad load() {
        messages.clear();
        return editor.load(StoredPdoDocuments::beside(dir / "sdopdo.xml"), messages);
    }
    // A project with the five PDOs and no stored entry.
    void five_pdo_project() {
        write("sdo.xml", "<sdo/>");
        write("rpdodef.xml", five_pdos());
        write("sdopdo.xml", "<sdopdo/>");
        load();
    }
    void type(int t, const std::string& index, const std::string& subindex, int high = 0,
              int low = 0) {
        editor.set_edits(t, index, subindex);
        editor.set_choices(t, high, low);
    }
    Texts stored(int t, std::size_t pdo) {
        Texts texts;
        for (const TClSdo& e : editor.tab(t).pdos[pdo].stored) {
            texts.push_back(e.index + "/" + e.subindex + "/" + e.poscomp);
        }
        return texts;
    }
    std::string saved() {
        editor.save_document(dir / "sdopdo.xml");
        return test::read_file(dir / "sdopdo.xml");
    }

    test::TempDir dir;
    StoredPdoEditor editor;
    MessageRecorder messages;
};

TEST_F(StoredPdoEditorTest, LoadListsEachDirectionOnItsTabAndAttachesEntriesByPosition) {
    write("sdo.xml", "<sdo/>");
    write("rpdodef.xml", five_pdos());
    write("sdopdo.xml",
          document("sdopdo", {entry_row("0x2000", "1", "130", "37"), entry_row("0x2001", "1", "5"),
                              entry_row("0x2002", "2", "1"), entry_row("0x2003", "3", "0"),
                              entry_row("0x2004", "4", "2")}));
    const StoredPdoLoad loaded = load();
    EXPECT_EQ(editor.tab(0).pdo_items(), (Texts{"0x181", "0x182", "0x183"}));
    EXPECT_EQ(editor.tab(1).pdo_items(), (Texts{"0x201", "0x202"}));
    EXPECT_EQ(editor.tab(1).pdos[1].position, 2);
    EXPECT_EQ(stored(1, 1), (Texts{"0x2000/1/37"}));
    EXPECT_EQ(stored(0, 0), (Texts{"0x2002/2/0"}));  // "5" named no PDO: dropped silently
    EXPECT_TRUE(stored(0, 1).empty());               // "0" ended the read before 0x2004
    EXPECT_EQ(messages.texts, (Texts{"Error in reading file SDOPDO XML"}));
    EXPECT_EQ(loaded.entries.status, LoadStatus::Unreadable);
    EXPECT_EQ(loaded.entries.records, 2u);
    EXPECT_EQ(loaded.entries.dropped, 1u);
    EXPECT_FALSE(editor.tab(0).selected_pdo);
    EXPECT_TRUE(editor.tab(0).entry_items.empty());
}

TEST_F(StoredPdoEditorTest, EachDocumentReportsItsOwnFaultAndTheNextIsStillRead) {
    struct Case {
        const char* sdo;  // nullptr: no file
        const char* rpdodef;
        const char* sdopdo;
        Texts messages;
    };
    const std::string pdos = five_pdos();
    const std::string bad_sdo = document("sdo", {sdo_row("x", "0x2000")});
    const std::string bad_pdo = document("rpdodef", {pdo_row("0x181", "0"), "<row/>"});
    const std::string entries = document("sdopdo", {entry_row("0x2000", "1", "1")});
    const Case cases[] = {
        {"<sdo/>", pdos.c_str(), entries.c_str(), {}},
        {nullptr,
         nullptr,
         nullptr,
         {"File SDO XML not found", "File PDO XML not found", "File SDOPDO XML not found"}},
        {bad_sdo.c_str(),
         "<rpdodef><row",
         "<sdopdo><x",
         {"Error in reading file SDO XML", "Error in reading file PDO XML",
          "Error in reading file SDOPDO XML"}},
        {"<sdo/>", bad_pdo.c_str(), entries.c_str(), {"Error in reading file PDO XML"}},
    };
    for (const Case& c : cases) {
        for (auto [name, content] :
             {std::pair{"sdo.xml", c.sdo}, std::pair{"rpdodef.xml", c.rpdodef},
              std::pair{"sdopdo.xml", c.sdopdo}}) {
            std::filesystem::remove(dir / name);
            if (content != nullptr) write(name, content);
        }
        load();
        EXPECT_EQ(messages.texts, c.messages) << c.rpdodef;
    }
    // The PDO read before the fault of the last case is kept, with its entry.
    EXPECT_EQ(editor.tab(0).pdo_items(), (Texts{"0x181"}));
    EXPECT_EQ(stored(0, 0), (Texts{"0x2000/1/0"}));
}

TEST_F(StoredPdoEditorTest, WithoutReadablePdosNothingOfAnEarlierLoadIsSaved) {
    write("sdo.xml", document("sdo", {sdo_row("0", "0x3000")}));
    write("rpdodef.xml", five_pdos());
    write("sdopdo.xml", document("sdopdo", {entry_row("0x2000", "1", "1")}));
    load();
    ASSERT_EQ(stored(0, 0).size(), 1u);
    for (const char* rpdodef : {"", "<rpdodef"}) {
        std::filesystem::remove_all(dir / "rpdodef.xml");
        std::filesystem::remove_all(dir / "sdo.xml");
        if (*rpdodef != '\0') write("rpdodef.xml", rpdodef);
        load();
        EXPECT_TRUE(editor.tab(0).pdos.empty());
        EXPECT_TRUE(editor.tab(0).references.empty());
        EXPECT_EQ(saved(), "<sdopdo/>") << rpdodef;
    }
}

TEST_F(StoredPdoEditorTest, OnlyPdosThatNrpdoCanNameAreListed) {
    // Seven bits hold the position: a 128th PDO would be written as tab
    // "Can1"'s PDO 0.
    std::vector<std::string> rows;
    for (int i = 0; i < 128; ++i) rows.push_back(pdo_row(std::to_string(i), "0"));
    write("sdo.xml", "<sdo/>");
    write("rpdodef.xml", document("rpdodef", rows));
    write("sdopdo.xml", "<sdopdo/>");
    const StoredPdoLoad loaded = load();
    EXPECT_EQ(editor.tab(0).pdos.size(), 127u);
    EXPECT_EQ(editor.tab(0).pdos.back().position, 127);
    EXPECT_EQ(loaded.pdos_left_out, 1u);
    EXPECT_EQ(messages.texts, (Texts{StoredPdoEditor::too_many_pdos}));
}

TEST_F(StoredPdoEditorTest, ResetPdoListsGivesAnEmptyMap) {
    write("rpdodef.xml", five_pdos());
    write("sdopdo.xml", document("sdopdo", {entry_row("0x2000", "1", "1")}));
    load();
    editor.pdo_click(0, 0);
    editor.reset_pdo_lists();
    EXPECT_FALSE(editor.tab(0).selected_pdo);
    EXPECT_TRUE(editor.tab(0).entry_items.empty());
    EXPECT_EQ(saved(), "<sdopdo/>");
}

TEST_F(StoredPdoEditorTest, ClicksListEntriesAndShowTheirBytes) {
    five_pdo_project();
    editor.pdo_click(1, 1);
    type(1, "0x2000", "1", 2, 5);  // B2 and B5
    EXPECT_EQ(editor.new_sdo(1, messages), EntryOutcome::Done);
    type(1, "0x2000", "2", 8, 0);
    editor.new_sdo(1, messages);
    EXPECT_EQ(stored(1, 1), (Texts{"0x2000/1/37", "0x2000/2/128"}));
    EXPECT_EQ(editor.tab(1).entry_items, (Texts{"Sdo0", "Sdo1"}));
    EXPECT_EQ(editor.tab(1).selected_entry, 1u);

    editor.pdo_click(1, 0);
    EXPECT_TRUE(editor.tab(1).entry_items.empty());
    EXPECT_EQ(editor.tab(1).index_edit, "");
    EXPECT_EQ(editor.tab(1).high_choice, 0);
    editor.pdo_click(1, 1);
    editor.entry_click(1, 0);
    EXPECT_EQ(editor.tab(1).index_edit, "0x2000");
    EXPECT_EQ(editor.tab(1).subindex_edit, "1");
    EXPECT_EQ(editor.tab(1).high_choice, 2);
    EXPECT_EQ(editor.tab(1).low_choice, 5);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(StoredPdoEditorTest, NewNeedsAPdoAndDeleteKeepsTheLabels) {
    five_pdo_project();
    type(0, "0x2000", "1");
    EXPECT_EQ(editor.new_sdo(0, messages), EntryOutcome::NothingSelected);
    EXPECT_EQ(editor.modify_sdo(0, messages), EntryOutcome::NothingSelected);
    EXPECT_EQ(editor.delete_sdo(0), EntryOutcome::NothingSelected);
    editor.pdo_click(0, 2);
    for (const char* sub : {"1", "2", "3"}) {
        type(0, "0x2000", sub);
        editor.new_sdo(0, messages);
    }
    editor.entry_click(0, 1);
    EXPECT_EQ(editor.delete_sdo(0), EntryOutcome::Done);
    EXPECT_EQ(editor.tab(0).entry_items, (Texts{"Sdo0", "Sdo2"}));
    type(0, "0x2000", "4");
    editor.new_sdo(0, messages);
    EXPECT_EQ(editor.tab(0).entry_items, (Texts{"Sdo0", "Sdo2", "Sdo2"}));
    EXPECT_EQ(stored(0, 2), (Texts{"0x2000/1/0", "0x2000/3/0", "0x2000/4/0"}));
    // The third item is the third entry, whatever its label.
    editor.entry_click(0, 2);
    EXPECT_EQ(editor.tab(0).subindex_edit, "4");
}

TEST_F(StoredPdoEditorTest, AnEntryMustNotBeAnSdoObjectOfItsSide) {
    write("sdo.xml", document("sdo", {sdo_row("16", "8192", "0x1"), sdo_row("1", "0x3000", "2")}));
    write("rpdodef.xml", five_pdos());
    write("sdopdo.xml", "<sdopdo/>");
    load();
    for (int t : {0, 1}) {
        editor.pdo_click(t, 0);
        type(t, "0x2000", "1");
    }
    EXPECT_EQ(editor.new_sdo(0, messages), EntryOutcome::Refused);
    EXPECT_EQ(messages.texts, (Texts{"Index or Subindex Not Valid,Sdo Already Exists"}));
    EXPECT_TRUE(stored(0, 0).empty());
    EXPECT_EQ(editor.new_sdo(1, messages), EntryOutcome::Done);
    type(1, "12288", "$2");
    EXPECT_EQ(editor.new_sdo(1, messages), EntryOutcome::Refused);
    EXPECT_EQ(stored(1, 0), (Texts{"0x2000/1/0"}));
}

TEST_F(StoredPdoEditorTest, AnEntryMustNotBeStoredTwiceOnATab) {
    five_pdo_project();
    editor.pdo_click(0, 0);
    type(0, "0x2000", "1");
    editor.new_sdo(0, messages);
    editor.pdo_click(0, 1);
    type(0, "8192", "x1");
    EXPECT_EQ(editor.new_sdo(0, messages), EntryOutcome::Refused);
    EXPECT_EQ(messages.texts, (Texts{"Index or Subindex Not Valid"}));
    type(0, "8192", "2");
    EXPECT_EQ(editor.new_sdo(0, messages), EntryOutcome::Done);
    // Modifying an entry without changing its object is no duplicate; making
    // it another entry's object is.
    type(0, "0x2000", "2", 1, 1);
    EXPECT_EQ(editor.modify_sdo(0, messages), EntryOutcome::Done);
    type(0, "0x2000", "1");
    EXPECT_EQ(editor.modify_sdo(0, messages), EntryOutcome::Refused);
    EXPECT_EQ(stored(0, 1), (Texts{"0x2000/2/17"}));
    // The other tab is another list.
    editor.pdo_click(1, 0);
    type(1, "0x2000", "1");
    EXPECT_EQ(editor.new_sdo(1, messages), EntryOutcome::Done);
}

TEST_F(StoredPdoEditorTest, TextsAreConvertedOnlyWhenThereIsSomethingToCompare) {
    five_pdo_project();
    editor.pdo_click(0, 0);
    type(0, "speed", "x");  // nothing to compare with: taken as typed
    EXPECT_EQ(editor.new_sdo(0, messages), EntryOutcome::Done);
    type(0, "0x2000", "1");
    EXPECT_THROW(editor.new_sdo(0, messages), Error);  // "speed" must be compared now
    // The entry itself is left out of a Modify's check, so it can be mended.
    editor.entry_click(0, 0);
    type(0, "0x2000", "y");
    EXPECT_EQ(editor.modify_sdo(0, messages), EntryOutcome::Done);
    type(0, "0x2001", "z");  // the indexes differ: no subindex is converted
    EXPECT_EQ(editor.new_sdo(0, messages), EntryOutcome::Done);
    type(0, "0x2000", "1");
    EXPECT_THROW(editor.new_sdo(0, messages), Error);
    EXPECT_EQ(stored(0, 0), (Texts{"0x2000/y/0", "0x2001/z/0"}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(StoredPdoEditorTest, CopyAndPasteUseTheTabsOwnBuffer) {
    five_pdo_project();
    type(1, "0x1111", "1", 3, 4);
    editor.paste_sdo(1);  // before any Copy: empty edits, choices kept
    EXPECT_EQ(editor.tab(1).index_edit, "");
    EXPECT_EQ(editor.tab(1).subindex_edit, "");
    EXPECT_EQ(editor.tab(1).high_choice, 3);
    type(1, "0x2222", "2", 1, 2);
    editor.copy_sdo(1);
    type(0, "0x3333", "3", 5, 6);
    editor.copy_sdo(0);
    type(1, "", "", 0, 0);
    editor.paste_sdo(1);
    EXPECT_EQ(editor.tab(1).index_edit, "0x2222");
    EXPECT_EQ(editor.tab(1).subindex_edit, "2");
    EXPECT_EQ(editor.tab(1).high_choice, 1);
    EXPECT_EQ(editor.tab(1).low_choice, 2);
    EXPECT_EQ(editor.tab(1).copy_buffer->poscomp, "18");
    EXPECT_TRUE(stored(1, 0).empty());  // Paste only fills the fields
}

TEST_F(StoredPdoEditorTest, SaveOrdersEachTabByIndexThenSubindex) {
    five_pdo_project();
    auto add = [&](int t, std::size_t pdo, const std::string& index, const std::string& sub,
                   int low) {
        editor.pdo_click(t, pdo);
        type(t, index, sub, 0, low);
        ASSERT_EQ(editor.new_sdo(t, messages), EntryOutcome::Done);
    };
    add(1, 0, "0x2001", "0", 0);
    add(1, 1, "0x2000", "5", 0);
    add(1, 1, "8192", "1", 0);
    add(0, 2, "0x10000000", "0", 1);  // above the ceiling 0x999999
    add(0, 2, "0x999999", "0x999999", 2);
    add(0, 2, "0x999999", "7", 3);
    add(0, 0, "5", "x", 4);  // alone on its index: the subindex is never converted
    EXPECT_EQ(
        saved(),
        document("sdopdo", {entry_row("5", "x", "1", "4"), entry_row("0x999999", "7", "3", "3"),
                            entry_row("0x999999", "0x999999", "3", "2"),
                            entry_row("0x10000000", "0", "3", "1"), entry_row("8192", "1", "130"),
                            entry_row("0x2000", "5", "130"), entry_row("0x2001", "0", "129")}));
}

TEST_F(StoredPdoEditorTest, EqualPairsKeepPdoThenListOrder) {
    write("sdo.xml", "<sdo/>");
    write("rpdodef.xml", five_pdos());
    // Equal pairs can only come in through the document or an import.
    write("sdopdo.xml", document("sdopdo", {entry_row("0x2000", "1", "3", "1"),
                                            entry_row("0x2000", "1", "2", "2"),
                                            entry_row("8192", "0x1", "2", "3")}));
    load();
    EXPECT_EQ(saved(), document("sdopdo", {entry_row("0x2000", "1", "2", "2"),
                                           entry_row("8192", "0x1", "2", "3"),
                                           entry_row("0x2000", "1", "3", "1")}));
}

TEST_F(StoredPdoEditorTest, ATextThatMustBeOrderedAndDoesNotConvertStopsTheSave) {
    write("sdo.xml", "<sdo/>");
    write("rpdodef.xml", five_pdos());
    struct Case {
        std::string rows;
        const char* named;  // what the error names
    };
    const Case cases[] = {
        {entry_row("abc", "1", "129"), "index 'abc'"},
        {entry_row("0x2000", "q", "1") + entry_row("8192", "1", "2"), "subindex 'q'"},
    };
    for (const Case& c : cases) {
        write("sdopdo.xml", "<sdopdo>" + c.rows + "</sdopdo>");
        load();
        const std::string before = test::read_file(dir / "sdopdo.xml");
        try {
            editor.save_document(dir / "sdopdo.xml");
            ADD_FAILURE() << "saved " << c.rows;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.named), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("sdopdo.xml"), std::string::npos) << e.what();
        }
        EXPECT_EQ(test::read_file(dir / "sdopdo.xml"), before);
    }
}

TEST_F(StoredPdoEditorTest, APoscompThatDoesNotConvertIsReportedOnClick) {
    write("rpdodef.xml", five_pdos());
    write("sdopdo.xml", document("sdopdo", {entry_row("0x2000", "1", "1", "B2")}));
    load();
    editor.pdo_click(0, 0);
    EXPECT_THROW(editor.entry_click(0, 0), Error);
    EXPECT_EQ(editor.tab(0).index_edit, "0x2000");
}

}  // namespace
}  // namespace fenwarp
