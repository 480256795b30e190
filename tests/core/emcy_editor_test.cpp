// The EMCY translation dialog's state: loading, editing and saving its lists.
#include "core/documents/emcy/emcy_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bank_test_project.h"
#include "core/documents/emcy/emcy_order.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/xml_document.h"
#include "core/error.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Texts = std::vector<std::string>;
using Inputs = std::array<std::string, TClEmcy::text_field_count>;

// A row with every text field "0" but its own values.
std::string emcy_row(const std::string& id, const std::string& bypass_set,
                     const std::string& element = "row") {
    std::string row = test::emcy_row(id, bypass_set);
    return "<" + element + row.substr(4);
}

Inputs inputs_with_id(const std::string& id) {
    Inputs inputs;
    inputs.fill("1");
    inputs[0] = id;
    return inputs;
}

// The id_dev and bypass_set of each saved row, in file order.
std::vector<std::pair<std::string, std::string>> saved_ids(const std::filesystem::path& file) {
    std::vector<std::pair<std::string, std::string>> rows;
    XmlDocument document = XmlDocument::load(file);
    for (const XmlElement& row : document.root().children()) {
        rows.emplace_back(row.attribute("id_dev"), row.attribute("bypass_set"));
    }
    return rows;
}

class EmcyEditorTest : public ::testing::Test {
  protected:
    std::filesystem::path file() const { return dir / "emcydef.xml"; }
    LoadResult load(const std::vector<std::string>& rows) {
        test::write_file(file(), test::document("emcydef", rows));
        return editor.load(file(), messages);
    }
    // Types an entry into a page and presses New.
    EntryEdit add(int direction, const std::string& id, bool enable = false, int alias = 0) {
        EmcyPage& page = editor.page(direction);
        page.inputs = inputs_with_id(id);
        page.enable = enable;
        page.alias = alias;
        return editor.new_entry(direction, messages);
    }
    void save() { editor.save_document(file()); }

    test::TempDir dir;
    EmcyEditor editor;
    MessageRecorder messages;
};

TEST(EmcyTableTest, TheDescriptionHoldsTheElevenTextFieldsThenBypassSet) {
    const TableDescription& table = emcy_table();
    EXPECT_STREQ(table.base_name, "emcydef");
    ASSERT_EQ(table.field_count(), TClEmcy::text_field_count + 1);
    EXPECT_EQ(table.direction_field, TClEmcy::text_field_count);
    EXPECT_EQ(table.attributes.back(), "bypass_set");
    EXPECT_EQ(table.attributes.front(), "id_dev");
}

// bypass_set: bit 0 enable, bits 1 to 4 the alias, bit 5 the direction,
// higher bits dropped; a save writes what the entry means.
TEST_F(EmcyEditorTest, BypassSetLoadsIntoDirectionEnableAndAliasAndSavesBack) {
    struct Case {
        const char* loaded;
        int direction;
        bool enable;
        int alias;
        const char* saved;
    };
    const Case cases[] = {
        {"33", 1, true, 0, "33"},  {"65", 0, true, 0, "1"},     {"6", 0, false, 3, "6"},
        {"41", 1, true, 4, "41"},  {"0", 0, false, 0, "0"},     {"0x3F", 1, true, 15, "63"},
        {"-1", 1, true, 15, "63"}, {" +16", 0, false, 8, "16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loaded);
        ASSERT_EQ(load({emcy_row("9", c.loaded)}).status, LoadStatus::Loaded);
        const EmcyPage& page = editor.page(c.direction);
        ASSERT_EQ(page.list.size(), 1u);
        EXPECT_TRUE(editor.page(1 - c.direction).list.empty());
        EXPECT_EQ(page.list[0].enable, c.enable);
        EXPECT_EQ(page.list[0].alias_sel, c.alias);
        save();
        EXPECT_EQ(saved_ids(file()),
                  (std::vector<std::pair<std::string, std::string>>{{"9", c.saved}}));
    }
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(EmcyEditorTest, LoadTakesEveryChildInDocumentOrderAndShowsEachFirstEntry) {
    const std::string blank_fields =
        "<row id_dev=\"\" mask_eq_ec=\"\" mask_eq_er=\"\" mask_eq_m1=\"\" mask_eq_m2=\"\" "
        "mask_eq_m3=\"\" enmask_eq_ec=\"\" enmask_eq_er=\"\" enmask_eq_m1=\"\" enmask_eq_m2=\"\" "
        "enmask_eq_m3=\"\" bypass_set=\"38\"/>";
    const LoadResult result = load(
        {emcy_row("0x20", "41"), emcy_row("7", "6", "entry"), blank_fields, emcy_row("3", "1")});
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.records, 4u);
    EXPECT_EQ(editor.page(0).items, (Texts{"7", "3"}));
    EXPECT_EQ(editor.page(1).items, (Texts{"0x20", "0"}));
    Inputs zeros;
    zeros.fill("0");
    EXPECT_EQ(editor.page(1).list[1].fields, zeros);
    // Each page shows its first entry: alias 3 checks "Error Reg", 4 Manu1 HIGH.
    EXPECT_EQ(editor.page(0).selected, 0u);
    EXPECT_EQ(editor.page(0).inputs[0], "7");
    EXPECT_EQ(editor.page(0).alias, 3);
    EXPECT_FALSE(editor.page(0).enable);
    EXPECT_EQ(editor.page(1).selected, 0u);
    EXPECT_EQ(editor.page(1).inputs[0], "0x20");
    EXPECT_EQ(editor.page(1).alias, 4);
    EXPECT_TRUE(editor.page(1).enable);

    save();
    EXPECT_EQ(saved_ids(file()), (std::vector<std::pair<std::string, std::string>>{
                                     {"3", "1"}, {"7", "6"}, {"0", "38"}, {"0x20", "41"}}));
}

TEST_F(EmcyEditorTest, LoadFaultsKeepTheEntriesBeforeThemAndSelectNothing) {
    struct Case {
        const char* name;
        std::string content;
        LoadStatus status;
        std::size_t kept;
        const char* message;
    };
    const std::string good = emcy_row("1", "1");
    const Case cases[] = {
        {"missing attribute",
         test::document("emcydef", {good, "<row id_dev=\"2\" bypass_set=\"1\"/>", good}),
         LoadStatus::Unreadable, 1, "Error in reading file XML"},
        {"bypass_set not converting", test::document("emcydef", {good, emcy_row("2", "1x")}),
         LoadStatus::Unreadable, 1, "Error in reading file XML"},
        {"empty bypass_set", test::document("emcydef", {good, good, emcy_row("2", "")}),
         LoadStatus::Unreadable, 2, "Error in reading file XML"},
        {"malformed", "<emcydef><row", LoadStatus::Unreadable, 0, "Error in reading file XML"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        add(1, "old");
        messages.clear();
        test::write_file(file(), c.content);
        EXPECT_EQ(editor.load(file(), messages).status, c.status);
        EXPECT_EQ(messages.texts, Texts{c.message});
        EXPECT_EQ(editor.page(0).list.size(), c.kept);
        EXPECT_EQ(editor.page(0).items.size(), c.kept);
        EXPECT_TRUE(editor.page(1).list.empty());
        EXPECT_FALSE(editor.page(0).selected);
        EXPECT_EQ(editor.page(0).inputs[0], "");
    }
    std::filesystem::remove(file());
    messages.clear();
    EXPECT_EQ(editor.load(file(), messages).status, LoadStatus::Missing);
    EXPECT_EQ(messages.texts, Texts{"File XML not found"});
    EXPECT_TRUE(editor.page(0).list.empty());
}

TEST_F(EmcyEditorTest, NewChecksTheIdAsTextAndSelectsTheNewItem) {
    EXPECT_EQ(add(0, ""), EntryEdit::Refused);  // nothing selected, still checked
    EXPECT_EQ(add(0, "10"), EntryEdit::Stored);
    EXPECT_EQ(add(0, "10"), EntryEdit::Refused);
    EXPECT_EQ(add(0, "0xA"), EntryEdit::Stored);  // same value, other text
    EXPECT_EQ(add(0, "0xa"), EntryEdit::Stored);  // case counts
    EXPECT_EQ(add(1, "10"), EntryEdit::Stored);   // each page its own list
    EXPECT_EQ(messages.texts, (Texts{"Index Not Valid", "Index Not Valid"}));
    EXPECT_EQ(editor.page(0).items, (Texts{"10", "0xA", "0xa"}));
    EXPECT_EQ(editor.page(0).list.size(), 3u);
    EXPECT_EQ(editor.page(0).selected, 2u);
    EXPECT_EQ(editor.page(1).selected, 0u);
}

TEST_F(EmcyEditorTest, NewStoresZeroForAnEmptyFieldWhileTheFieldStaysEmpty) {
    EmcyPage& page = editor.page(1);
    page.inputs = inputs_with_id("5");
    page.inputs[2] = "";
    page.inputs[10] = "0x7";
    page.enable = true;
    page.alias = 8;
    ASSERT_EQ(editor.new_entry(1, messages), EntryEdit::Stored);
    const TClEmcy& entry = page.list.at(0);
    EXPECT_EQ(entry.fields[2], "0");
    EXPECT_EQ(entry.fields[10], "0x7");
    EXPECT_TRUE(entry.enable);
    EXPECT_EQ(entry.alias_sel, 8);
    EXPECT_EQ(page.inputs[2], "");
    EXPECT_EQ(page.inputs[0], "5");
}

TEST_F(EmcyEditorTest, ModifyOverwritesTheSelectedEntryAndChecksOnlyAChangedId) {
    add(0, "1");
    add(0, "2");
    add(0, "3", true, 5);
    EmcyPage& page = editor.page(0);
    editor.show_entry(0, 1);
    EXPECT_EQ(page.inputs[0], "2");

    // The ID kept: no test, the other fields stored.
    page.inputs[4] = "0x44";
    page.enable = true;
    EXPECT_EQ(editor.modify_entry(0, messages), EntryEdit::Stored);
    EXPECT_EQ(page.list[1].fields[4], "0x44");
    EXPECT_TRUE(page.list[1].enable);
    // Changed to an ID already listed: refused, nothing stored.
    page.inputs[0] = "3";
    page.inputs[4] = "9";
    EXPECT_EQ(editor.modify_entry(0, messages), EntryEdit::Refused);
    EXPECT_EQ(page.list[1].fields[4], "0x44");
    // Changed to an empty ID: refused.
    page.inputs[0] = "";
    EXPECT_EQ(editor.modify_entry(0, messages), EntryEdit::Refused);
    // Changed to a new ID: the item follows.
    page.inputs[0] = "20";
    EXPECT_EQ(editor.modify_entry(0, messages), EntryEdit::Stored);
    EXPECT_EQ(page.items, (Texts{"1", "20", "3"}));
    EXPECT_EQ(page.list[1].id_dev(), "20");
    EXPECT_EQ(page.list[1].fields[4], "9");
    EXPECT_EQ(messages.texts, (Texts{"Index Not Valid", "Index Not Valid"}));
}

TEST_F(EmcyEditorTest, DeleteLeavesNothingSelectedSoModifyThenDoesNothing) {
    add(1, "1");
    add(1, "2");
    add(1, "3");
    EmcyPage& page = editor.page(1);
    editor.show_entry(1, 1);
    EXPECT_TRUE(editor.delete_entry(1));
    EXPECT_EQ(page.items, (Texts{"1", "3"}));
    EXPECT_EQ(page.list[1].id_dev(), "3");
    EXPECT_FALSE(page.selected);
    EXPECT_EQ(page.inputs[0], "2");  // the fields keep the removed entry
    EXPECT_FALSE(editor.delete_entry(1));
    page.inputs[0] = "7";
    EXPECT_EQ(editor.modify_entry(1, messages), EntryEdit::NothingSelected);
    EXPECT_EQ(page.items, (Texts{"1", "3"}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(EmcyEditorTest, ShowEntryLeavesTheAliasGroupForAliasesWithoutAButton) {
    load({emcy_row("1", "6"), emcy_row("2", "20"), emcy_row("3", "31")});
    EmcyPage& page = editor.page(0);
    EXPECT_EQ(page.alias, 3);
    editor.show_entry(0, 1);  // alias 10: no button
    EXPECT_EQ(page.alias, 3);
    EXPECT_FALSE(page.enable);
    editor.show_entry(0, 2);  // alias 15, enabled
    EXPECT_EQ(page.alias, 3);
    EXPECT_TRUE(page.enable);
    EXPECT_EQ(page.list[2].alias_sel, 15);
    EXPECT_EQ(page.selected, 2u);
}

TEST_F(EmcyEditorTest, ResetEmptiesBothPages) {
    add(0, "1", true, 4);
    add(1, "2", true, 2);
    editor.reset();
    for (int direction : {0, 1}) {
        const EmcyPage& page = editor.page(direction);
        EXPECT_TRUE(page.list.empty());
        EXPECT_TRUE(page.items.empty());
        EXPECT_FALSE(page.selected);
        EXPECT_EQ(page.inputs, Inputs{});
        EXPECT_FALSE(page.enable);
        EXPECT_EQ(page.alias, 0);
    }
    save();
    EXPECT_EQ(test::read_file(file()), "<emcydef/>");
}

TEST_F(EmcyEditorTest, SaveOrdersEachListByIdWithoutTouchingTheListBoxes) {
    for (const char* id : {"7", "3", "5"}) add(0, id);
    for (const char* id : {"10", "0xA", "9"}) add(1, id);
    save();
    EXPECT_EQ(saved_ids(file()),
              (std::vector<std::pair<std::string, std::string>>{
                  {"3", "0"}, {"5", "0"}, {"7", "0"}, {"9", "32"}, {"0xA", "32"}, {"10", "32"}}));
    EXPECT_EQ(editor.page(0).items, (Texts{"7", "3", "5"}));
    EXPECT_EQ(editor.page(1).items, (Texts{"10", "0xA", "9"}));
}

TEST(EmcySaveOrderTest, AscendingKeysLaterPositionFirstAndNoKeyLeftOut) {
    struct Case {
        std::vector<std::int32_t> keys;
        std::vector<std::size_t> order;
    };
    const Case cases[] = {
        {{}, {}},
        {{7, 3, 5}, {1, 2, 0}},
        {{10, 10, 10}, {2, 1, 0}},
        {{999999, 5, 999999}, {1, 2, 0}},
        // Beyond the ceiling of the old ordering: still written, in key order.
        {{1000000, 999999, 2147483647, 1000000}, {1, 3, 0, 2}},
        {{0, -1, -2147483647 - 1}, {2, 1, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(emcy::save_order(c.keys), c.order);
    }
}

TEST_F(EmcyEditorTest, AnIdThatDoesNotConvertStopsTheSaveBeforeAnythingIsWritten) {
    test::write_file(file(), "<emcydef/>");
    add(0, "1");
    add(1, "2");
    add(1, "two");
    try {
        save();
        FAIL() << "saved";
    } catch (const Error& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("emcydef.xml"), std::string::npos) << text;
        EXPECT_NE(text.find("\"two\""), std::string::npos) << text;
        EXPECT_NE(text.find("id_dev of entry 2 in the \"From CAN 1\" list"), std::string::npos)
            << text;
    }
    EXPECT_EQ(test::read_file(file()), "<emcydef/>");
}

// A Modify that keeps an empty list text stores "0" in the entry but leaves
// the list text empty; the save orders by the list text and refuses it.
TEST_F(EmcyEditorTest, TheSaveOrdersByTheListTextNotByTheEntry) {
    test::write_file(file(), "<emcydef/>");
    add(0, "4");
    editor.page(0).items[0] = "";  // as an import of an empty ID cell leaves it
    editor.page(0).inputs[0] = "";
    EXPECT_EQ(editor.modify_entry(0, messages), EntryEdit::Stored);
    EXPECT_EQ(editor.page(0).list[0].id_dev(), "0");
    EXPECT_THROW(save(), Error);
    EXPECT_EQ(test::read_file(file()), "<emcydef/>");
}

}  // namespace
}  // namespace fenwarp
