// The EMCY word map's editor: its pages, trees and fields, and emcyword.xml.
#include "core/documents/emcyword/emcy_word_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bank_test_project.h"
#include "core/error.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Texts = std::vector<std::string>;

// A row of emcyword.xml with empty bits but `bit_attributes` in place.
std::string word_xml(const std::string& extdata, const std::string& index,
                     const std::string& sub = "1", const std::string& dev = "4",
                     const std::string& element = "row") {
    std::string text = "<" + element + " index_addrm=\"" + index + "\" subindex=\"" + sub +
                       "\" extdata=\"" + extdata + "\" devid=\"" + dev + "\"";
    for (int bit = 0; bit < 16; ++bit) {
        for (const char* suffix : {"_b0", "_b1", "_poscomp"}) {
            text += " bit" + std::to_string(bit) + suffix + "=\"\"";
        }
    }
    return text + "/>";
}

class EmcyWordEditorTest : public ::testing::Test {
  protected:
    void load(const std::string& rows) {
        test::write_file(file, "<emcyword>" + rows + "</emcyword>");
        result = editor.load(file, messages);
    }
    EmcyWordPage& page(int p) { return editor.pages[static_cast<std::size_t>(p)]; }
    Texts word_captions(int p) {
        Texts captions;
        for (const WordTreeNode& node : page(p).tree.nodes()) {
            if (node.word) captions.push_back(node.caption());
        }
        return captions;
    }
    // Adds a word through New, with the page's fields typed first.
    std::optional<int> add(int p, const std::string& index, const std::string& sub = "1",
                           const std::string& dev = "4") {
        page(p).word_fields = {index, sub, dev};
        return editor.new_word(p, messages);
    }
    // The saved (index_addrm, subindex, devid) of each row, in file order.
    Texts saved_keys() {
        editor.save_document(file);
        EmcyWordEditor reread;
        MessageRecorder quiet;
        reread.load(file, quiet);
        Texts keys;
        for (const EmcyWordPage& p : reread.pages) {
            for (const TClWEmcy& w : p.words) {
                keys.push_back(w.devid + "/" + w.index_addrm + "/" + w.subindex);
            }
        }
        return keys;
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "emcyword.xml";
    EmcyWordEditor editor;
    MessageRecorder messages;
    LoadResult result;
};

TEST_F(EmcyWordEditorTest, LoadPutsEachRowOnThePageItsExtdataNames) {
    page(0).word_fields = {"stale", "1", "2"};
    page(1).tree.add_word(9);
    load(word_xml("1", "0x2000") + word_xml("0", "0x2100", "1", "4", "entry") +
         word_xml("7", "0x2200") + word_xml("0x1", "0x2300"));
    EXPECT_EQ(result.status, LoadStatus::Loaded);
    EXPECT_EQ(result.records, 3u);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(word_captions(1), (Texts{"W0", "W1"}));
    EXPECT_EQ(word_captions(0), (Texts{"W0"}));
    EXPECT_EQ(page(1).words[1].index_addrm, "0x2300");
    EXPECT_EQ(page(0).words[0].index_addrm, "0x2100");
    EXPECT_EQ(page(1).tree.nodes().size(), 34u);
    EXPECT_EQ(page(1).tree.nodes()[16].caption(), "Bit 15");
    for (const EmcyWordPage& p : editor.pages) {
        EXPECT_FALSE(p.tree.selected());
        EXPECT_EQ(p.word_fields, WordFields{});
    }
    // The Can0 word is written first; the row naming no page is gone.
    EXPECT_EQ(saved_keys(), (Texts{"4/0x2100/1", "4/0x2000/1", "4/0x2300/1"}));
}

TEST_F(EmcyWordEditorTest, LoadFaultsSayWhatHappenedAndKeepTheWordsBeforeThem) {
    struct Case {
        const char* name;
        std::string content;  // nothing written when empty
        LoadStatus status;
        const char* message;
        std::size_t words;  // on the Can1 page
    };
    std::string missing_attribute = word_xml("1", "0x2000") + word_xml("1", "0x2001");
    const std::string last = " bit15_poscomp=\"\"";
    missing_attribute.erase(missing_attribute.rfind(last), last.size());
    const Case cases[] = {
        {"missing", "", LoadStatus::Missing, "File XML not found", 0},
        {"malformed", "<emcyword><row", LoadStatus::Unreadable, "Error in reading file XML", 0},
        {"attribute", "<emcyword>" + missing_attribute + "</emcyword>", LoadStatus::Unreadable,
         "Error in reading file XML", 1},
        {"extdata", "<emcyword>" + word_xml("1", "1") + word_xml("one", "2") + "</emcyword>",
         LoadStatus::Unreadable, "Error in reading file XML", 1},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(file);
        if (!c.content.empty()) test::write_file(file, c.content);
        page(1).words.resize(5);  // what an earlier show left
        messages.clear();
        EXPECT_EQ(editor.load(file, messages).status, c.status) << c.name;
        EXPECT_EQ(messages.texts, Texts{c.message}) << c.name;
        EXPECT_EQ(page(1).words.size(), c.words) << c.name;
        EXPECT_EQ(page(1).tree.nodes().size(), 17 * c.words) << c.name;
    }
}

TEST_F(EmcyWordEditorTest, NewNumbersOnePastTheLastWordNode) {
    for (const char* index : {"1", "2", "3"}) EXPECT_TRUE(add(1, index));
    EXPECT_EQ(word_captions(1), (Texts{"W0", "W1", "W2"}));
    editor.show_node(1, word_node(2));
    EXPECT_TRUE(editor.delete_word(1));
    EXPECT_EQ(add(1, "4"), 2);
    EXPECT_EQ(word_captions(1), (Texts{"W0", "W1", "W2"}));
    editor.show_node(1, word_node(0));
    EXPECT_TRUE(editor.delete_word(1));
    EXPECT_EQ(add(1, "5"), 3);
    EXPECT_EQ(word_captions(1), (Texts{"W1", "W2", "W3"}));
    EXPECT_EQ(add(0, "1"), 0);  // each page numbers its own words
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(EmcyWordEditorTest, NewTakesTheWordFieldsAndLeavesSelectionAndFields) {
    add(1, "0x2000", "1", "4");
    editor.show_node(1, 3);
    page(1).word_fields = {"0x2001", "2", "5"};
    page(1).bit_fields = {"7", "8", "9", "10"};
    EXPECT_EQ(editor.new_word(1, messages), 1);
    const TClWEmcy& added = page(1).words[1];
    EXPECT_EQ(key_texts(added), (WordKeyTexts{"0x2001", "2", "5"}));
    for (const ClEbm& bit : added.bits) EXPECT_EQ(bit, ClEbm{});
    EXPECT_EQ(page(1).tree.selected(), 3u);
    EXPECT_EQ(page(1).bit_fields, (BitFields{"7", "8", "9", "10"}));
}

TEST_F(EmcyWordEditorTest, TheWordCheckRefusesEmptyAndRepeatedKeysOfThePage) {
    add(1, "0x2000", "1", "4");
    const WordFields refused[] = {
        {"", "1", "4"}, {"0x2000", "", "4"}, {"0x2000", "1", ""}, {"0x2000", "1", "4"}};
    for (const WordFields& key : refused) {
        messages.clear();
        page(1).word_fields = key;
        EXPECT_FALSE(editor.new_word(1, messages)) << key.index_addrm << key.subindex;
        EXPECT_EQ(messages.texts, Texts{"Index Not Valid"});
    }
    EXPECT_EQ(page(1).words.size(), 1u);
    messages.clear();
    EXPECT_TRUE(add(0, "0x2000", "1", "4"));   // the other page is another list
    EXPECT_TRUE(add(1, "8192", "1", "4"));     // compared as texts
    EXPECT_TRUE(add(1, "0x2000", "1", "4 "));  // a blank is a character
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(EmcyWordEditorTest, ModifyOfAWordNodeChecksItAsAModification) {
    add(0, "0x2000");
    add(0, "0x2001");
    editor.show_node(0, word_node(1));
    EXPECT_EQ(page(0).word_fields, (WordFields{"0x2001", "1", "4"}));
    EXPECT_EQ(editor.modify(0, messages), WordEdit::Stored);  // its own texts pass
    page(0).word_fields.index_addrm = "0x2000";
    EXPECT_EQ(editor.modify(0, messages), WordEdit::Refused);
    EXPECT_EQ(messages.texts, Texts{"Index Not Valid"});
    EXPECT_EQ(page(0).words[1].index_addrm, "0x2001");
    page(0).word_fields = {"0x3000", "0", "9"};
    EXPECT_EQ(editor.modify(0, messages), WordEdit::Stored);
    EXPECT_EQ(key_texts(page(0).words[1]), (WordKeyTexts{"0x3000", "0", "9"}));
    EXPECT_EQ(word_captions(0), (Texts{"W0", "W1"}));
    page(0).tree.select(std::nullopt);
    EXPECT_EQ(editor.modify(0, messages), WordEdit::Nothing);
}

TEST_F(EmcyWordEditorTest, ModifyOfABitNodePacksTheEmcyBytesAndShowsThemAgain) {
    add(1, "1");
    add(1, "2");
    struct Case {
        const char* byte1;
        const char* byte2;
        const char* poscomp;
        const char* shown1;
        const char* shown2;
    };
    const Case cases[] = {
        {"2", "5", "37", "2", "5"},        {"1", "20", "36", "2", "4"},
        {"0x10", "$F", "271", "16", "15"}, {"4096", "1", "1", "0", "1"},
        {"-1", "0", "65520", "4095", "0"}, {"2147483647", "15", "65535", "4095", "15"},
    };
    const std::size_t bit3 = word_node(1) + 4;
    for (const Case& c : cases) {
        editor.show_node(1, bit3);
        page(1).bit_fields = {" 0xFF", "", c.byte1, c.byte2};
        EXPECT_EQ(editor.modify(1, messages), WordEdit::Stored) << c.byte1;
        const ClEbm& stored = page(1).words[1].bits[3];
        EXPECT_EQ(stored, (ClEbm{" 0xFF", "", c.poscomp})) << c.byte1;
        editor.show_node(1, word_node(1));
        editor.show_node(1, bit3);
        EXPECT_EQ(page(1).bit_fields, (BitFields{" 0xFF", "", c.shown1, c.shown2})) << c.byte1;
    }
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(page(1).words[0].bits[3], ClEbm{});
}

TEST_F(EmcyWordEditorTest, ABitWhoseEmcyBytesDoNotConvertKeepsItsPoscomp) {
    add(0, "1");
    editor.show_node(0, 1);
    page(0).bit_fields = {"1", "2", "3", "4"};
    editor.modify(0, messages);
    page(0).bit_fields = {"5", "6", "3", "four"};
    EXPECT_EQ(editor.modify(0, messages), WordEdit::NotConverted);
    EXPECT_EQ(messages.texts, Texts{"'four' is not a valid integer value"});
    EXPECT_EQ(page(0).words[0].bits[0], (ClEbm{"5", "6", "52"}));
}

TEST_F(EmcyWordEditorTest, ShowNodeFillsThePageAndBothPagesCaptions) {
    load(word_xml("0", "0x2000", "1", "4") + word_xml("0", "0x2001", "2", "5"));
    page(0).words[1].bits[2] = {"0xF0", "x0F", "0x25"};
    page(0).words[1].bits[4] = {"1", "", "lots"};
    EXPECT_EQ(editor.word_group_caption, "Word n°  Emcy Define ");
    EXPECT_EQ(editor.bit_group_caption, "Mask BIT n°  Define");

    editor.show_node(0, word_node(1) + 3);
    EXPECT_EQ(editor.word_group_caption, "Word n°1 Emcy Define ");
    EXPECT_EQ(editor.bit_group_caption, "Mask BIT n°2 Define");
    EXPECT_EQ(page(0).word_fields, (WordFields{"0x2001", "2", "5"}));
    EXPECT_EQ(page(0).bit_fields, (BitFields{"0xF0", "x0F", "2", "5"}));

    editor.show_node(0, word_node(1) + 5);  // a poscomp that does not convert
    EXPECT_EQ(page(0).bit_fields, (BitFields{"1", "", "", ""}));

    editor.show_node(0, word_node(1));
    EXPECT_EQ(editor.word_group_caption, "Word n°1 Emcy Define ");
    EXPECT_EQ(editor.bit_group_caption, "Mask BIT n° Define");
    EXPECT_EQ(page(0).bit_fields, BitFields{});

    page(0).word_fields = {"typed", "", ""};
    editor.show_node(0, std::nullopt);  // nothing selected: nothing shown
    EXPECT_EQ(page(0).word_fields, (WordFields{"typed", "", ""}));
    EXPECT_EQ(page(1).word_fields, WordFields{});
}

TEST_F(EmcyWordEditorTest, DeleteRemovesOnlyAWordAndShowsTheNodeTakingItsPlace) {
    for (const char* index : {"1", "2", "3"}) add(1, index);
    EXPECT_FALSE(editor.delete_word(1));  // nothing selected
    editor.show_node(1, word_node(1) + 1);
    EXPECT_FALSE(editor.delete_word(1));  // a bit node
    EXPECT_EQ(page(1).words.size(), 3u);

    editor.show_node(1, word_node(1));
    EXPECT_TRUE(editor.delete_word(1));
    EXPECT_EQ(word_captions(1), (Texts{"W0", "W2"}));
    EXPECT_EQ(page(1).words[1].index_addrm, "3");
    EXPECT_EQ(page(1).tree.selected(), word_node(1));
    EXPECT_EQ(page(1).word_fields.index_addrm, "3");

    EXPECT_TRUE(editor.delete_word(1));  // the last word: the one before it
    EXPECT_EQ(page(1).tree.selected(), word_node(0));
    EXPECT_EQ(page(1).word_fields.index_addrm, "1");
    EXPECT_TRUE(editor.delete_word(1));
    EXPECT_FALSE(page(1).tree.selected());
    EXPECT_TRUE(page(1).tree.nodes().empty());
}

TEST_F(EmcyWordEditorTest, SaveOrdersEachPageByDevidIndexAndSubindex) {
    struct Case {
        const char* name;
        std::vector<WordFields> words;  // index_addrm, subindex, devid
        Texts saved;                    // devid/index_addrm/subindex
    };
    const Case cases[] = {
        {"devid first",
         {{"0x1000", "1", "5"}, {"0x2000", "1", "3"}, {"0x3000", "1", "3"}},
         {"3/0x2000/1", "3/0x3000/1", "5/0x1000/1"}},
        {"subindex last",
         {{"0x2000", "2", "3"}, {"0x2000", "1", "3"}},
         {"3/0x2000/1", "3/0x2000/2"}},
        {"equal keys: later first",
         {{"8192", "1", "3"}, {"0x2000", "1", "3"}, {"$2000", "1", "3"}},
         {"3/$2000/1", "3/0x2000/1", "3/8192/1"}},
        {"above the ceiling in place",
         {{"1", "1", "1000000"}, {"2", "1", "7"}, {"0x7FFFFFFF", "1", "999999"}, {"3", "1", "-1"}},
         {"-1/3/1", "7/2/1", "999999/0x7FFFFFFF/1", "1000000/1/1"}},
    };
    for (const Case& c : cases) {
        editor.reset();
        for (const WordFields& w : c.words) add(1, w.index_addrm, w.subindex, w.devid);
        EXPECT_EQ(saved_keys(), c.saved) << c.name;
        // The lists themselves keep their order.
        EXPECT_EQ(page(1).words.front().index_addrm, c.words.front().index_addrm) << c.name;
    }
}

TEST_F(EmcyWordEditorTest, AKeyThatDoesNotConvertFailsTheSaveBeforeAnyWrite) {
    test::write_file(file, "<emcyword/>");
    add(0, "0x2000");
    add(1, "0x2000", "1", "4a");
    try {
        editor.save_document(file);
        FAIL() << "saved";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("'4a' is not a valid integer value"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(test::read_file(file), "<emcyword/>");
}

TEST_F(EmcyWordEditorTest, ANewWordIsSavedWithItsBitAttributesEmpty) {
    add(0, "0x2000", "3", "4");
    editor.save_document(file);
    std::string expected =
        "<emcyword><row index_addrm=\"0x2000\" subindex=\"3\" extdata=\"0\" "
        "devid=\"4\"";
    for (int bit = 0; bit < 16; ++bit) {
        for (const char* suffix : {"_b0", "_b1", "_poscomp"}) {
            expected += " bit" + std::to_string(bit) + suffix + "=\"\"";
        }
    }
    EXPECT_EQ(test::read_file(file), expected + "/></emcyword>");
}

TEST_F(EmcyWordEditorTest, ResetEmptiesBothPagesAndAnEmptyMapSavesABareRoot) {
    add(0, "1");
    add(1, "1");
    editor.show_node(1, 2);
    page(0).bit_fields = {"1", "2", "3", "4"};
    editor.reset();
    for (const EmcyWordPage& p : editor.pages) {
        EXPECT_TRUE(p.words.empty());
        EXPECT_TRUE(p.tree.nodes().empty());
        EXPECT_FALSE(p.tree.selected());
        EXPECT_EQ(p.word_fields, WordFields{});
        EXPECT_EQ(p.bit_fields, BitFields{});
    }
    editor.save_document(file);
    EXPECT_EQ(test::read_file(file), "<emcyword/>");
}

}  // namespace
}  // namespace fenwarp
