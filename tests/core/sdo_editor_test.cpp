#include "core/documents/sdo/sdo_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/documents/document_messages.h"
#include "core/documents/sdo/sdo_order.h"
#include "core/documents/table/xml_characters.h"
#include "core/documents/xml_document.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Row = std::vector<std::string>;

// Columns 1 to 8 of a grid row.
Row row_of(const TextGrid& grid, std::size_t row) {
    Row cells;
    for (std::size_t c = 1; c < grid.columns(); ++c) cells.push_back(grid.cell(row, c));
    return cells;
}

void fill_row(TextGrid& grid, std::size_t row, const Row& cells) {
    for (std::size_t c = 0; c < cells.size(); ++c) grid.set_cell(row, c + 1, cells[c]);
}

std::string xml_row(const std::string& conf, const std::string& index,
                    const std::string& mnemonic = " mnemonico=\"m\"") {
    return "<row conf=\"" + conf + "\" IndexA=\"" + index +
           "\" SubindexA=\"1\" devIDB=\"2\" IndexB=\"0x6000\" SubindexB=\"0\" nbyteB=\"2\"" +
           mnemonic + "/>";
}

class SdoEditorTest : public ::testing::Test {
  protected:
    void load(const std::string& xml) {
        test::write_file(file, xml);
        editor.load(file, messages);
    }
    std::string saved() {
        editor.save_document(file);
        return test::read_file(file);
    }

    test::TempDir dir;
    std::filesystem::path file = dir / "sdo.xml";
    SdoEditor editor;
    MessageRecorder messages;
};

TEST_F(SdoEditorTest, ResetLaysOutHeadingsAndRowNumbers) {
    editor.sga.set_cell(5, 3, "left over");
    editor.reset();
    for (const TextGrid* grid : {&editor.sga, &editor.sgb}) {
        ASSERT_EQ(grid->rows(), 1501u);
        ASSERT_EQ(grid->columns(), 9u);
        EXPECT_EQ(grid->cell(0, 0), "N");
        EXPECT_EQ(row_of(*grid, 0), (Row{"RW", "Index", "Subindex", "devID", "Index", "Subindex",
                                         "nbyte", "mnemonico"}));
        EXPECT_EQ(grid->cell(1, 0), "0");
        EXPECT_EQ(grid->cell(1500, 0), "1499");
        EXPECT_EQ(row_of(*grid, 5), Row(8, ""));
    }
}

TEST_F(SdoEditorTest, LoadPutsEachRowOnThePageOfItsDirectionInDocumentOrder) {
    load("<sdo>" + xml_row("1", "0x3000") + xml_row("48", "0x2000", "") + xml_row("0", "0x2001") +
         xml_row("17", "0x3001", " mnemonico=\"speed, left\"") + "</sdo>");
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(row_of(editor.sga, 1), (Row{"1", "0x2000", "1", "2", "0x6000", "0", "2", ""}));
    EXPECT_EQ(row_of(editor.sga, 2)[1], "0x2001");
    EXPECT_EQ(row_of(editor.sga, 2)[0], "0");
    EXPECT_EQ(row_of(editor.sga, 3)[0], "");
    EXPECT_EQ(row_of(editor.sgb, 1), (Row{"0", "0x3000", "1", "2", "0x6000", "0", "2", "m"}));
    EXPECT_EQ(row_of(editor.sgb, 2)[7], "speed, left");
    EXPECT_EQ(row_of(editor.sgb, 2)[0], "1");
}

TEST_F(SdoEditorTest, LoadStartsFromEmptyPagesAndAMissingFileSaysNothing) {
    fill_row(editor.sgb, 7, Row(8, "x"));
    editor.load(dir / "absent.xml", messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(row_of(editor.sgb, 7), Row(8, ""));
    EXPECT_EQ(editor.sgb.cell(0, 1), "RW");
}

TEST_F(SdoEditorTest, ReadingFailuresReportAndKeepTheRowsBefore) {
    const std::string good = xml_row("0", "0x2000");
    const std::string bad[] = {
        "<row conf=\"abc\" IndexA=\"1\" SubindexA=\"1\" devIDB=\"1\" IndexB=\"1\" "
        "SubindexB=\"1\" nbyteB=\"1\"/>",
        "<row conf=\"0\" IndexA=\"1\" SubindexA=\"1\" devIDB=\"1\" SubindexB=\"1\" "
        "nbyteB=\"1\"/>",
        "<row conf=\"\" IndexA=\"1\" SubindexA=\"1\" devIDB=\"1\" IndexB=\"1\" "
        "SubindexB=\"1\" nbyteB=\"1\"/>",
    };
    for (const std::string& row : bad) {
        messages.clear();
        load("<sdo>" + good + row + xml_row("0", "0x2002") + "</sdo>");
        EXPECT_EQ(messages.texts, std::vector<std::string>{document_messages::read_error}) << row;
        EXPECT_EQ(editor.sga.cell(1, 2), "0x2000") << row;
        EXPECT_EQ(row_of(editor.sga, 2), Row(8, "")) << row;
    }
    messages.clear();
    load("<sdo>" + good + "<row");
    EXPECT_EQ(messages.texts, std::vector<std::string>{document_messages::read_error});
}

TEST_F(SdoEditorTest, SurplusRowsOfAFullPageAreDroppedWithAMessage) {
    std::string xml = "<sdo>";
    for (int i = 0; i < 1501; ++i) xml += xml_row("0", std::to_string(i));
    xml += xml_row("1", "0x3000") + "</sdo>";
    load(xml);
    EXPECT_EQ(messages.texts, std::vector<std::string>{SdoEditor::page_full_message});
    EXPECT_EQ(editor.sga.cell(1500, 2), "1499");
    EXPECT_EQ(editor.sgb.cell(1, 2), "0x3000");
    editor.save_document(file);
    EXPECT_EQ(XmlDocument::load(file).root().child_count(), 1501u);
}

TEST_F(SdoEditorTest, SaveWritesCan0BeforeCan1EachSortedStably) {
    fill_row(editor.sga, 1, {"1", "0x2000", "1", "a", "", "", "", "first"});
    fill_row(editor.sga, 2, {"0", "0x1000", "0", "b", "", "", "", ""});
    fill_row(editor.sga, 3, {"1", "8192", "1", "c", "", "", "", ""});
    fill_row(editor.sga, 4, {"yes", "x2000", "1", "d", "", "", "", ""});
    fill_row(editor.sgb, 1, {"1", "0x0001", "", "e", "", "", "", ""});
    fill_row(editor.sgb, 2, {"0", "", "", "f", "", "", "", ""});
    const std::string tail = " IndexB=\"\" SubindexB=\"\" nbyteB=\"\" mnemonico=\"\"/>";
    EXPECT_EQ(saved(),
              "<sdo>"
              "<row conf=\"0\" IndexA=\"0x1000\" SubindexA=\"0\" devIDB=\"b\"" +
                  tail +
                  "<row conf=\"16\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"a\" IndexB=\"\" "
                  "SubindexB=\"\" nbyteB=\"\" mnemonico=\"first\"/>"
                  "<row conf=\"16\" IndexA=\"8192\" SubindexA=\"1\" devIDB=\"c\"" +
                  tail + "<row conf=\"0\" IndexA=\"x2000\" SubindexA=\"1\" devIDB=\"d\"" + tail +
                  "<row conf=\"1\" IndexA=\"\" SubindexA=\"\" devIDB=\"f\"" + tail +
                  "<row conf=\"17\" IndexA=\"0x0001\" SubindexA=\"\" devIDB=\"e\"" + tail +
                  "</sdo>");
}

TEST_F(SdoEditorTest, SaveTakesRowsDownToTheFirstEmptyRwCell) {
    fill_row(editor.sga, 1, {"1", "1"});
    fill_row(editor.sga, 2, {"0", "2"});
    fill_row(editor.sga, 4, {"1", "4"});
    editor.save_document(file);
    EXPECT_EQ(XmlDocument::load(file).root().child_count(), 2u);
}

TEST_F(SdoEditorTest, AFullPageSavesAll1500Rows) {
    for (std::size_t r = 1; r <= 1500; ++r) fill_row(editor.sgb, r, {"1", std::to_string(r)});
    editor.save_document(file);
    XmlDocument document = XmlDocument::load(file);
    ASSERT_EQ(document.root().child_count(), 1500u);
    EXPECT_EQ(document.root().child(1499).attribute("IndexA"), "1500");
}

TEST_F(SdoEditorTest, ACharacterXmlCannotHoldIsRefusedNamingDocumentRowAndField) {
    editor.save_document(file);
    fill_row(editor.sga, 1, {"1", "0x2000"});
    fill_row(editor.sgb, 1, {"0", "0x2000", "1", "2", "3", "4", "5", "bell\x07"});
    try {
        editor.save_document(file);
        FAIL() << "saved";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "sdo.xml: row 0 of sgb, field mnemonico holds the character U+0007, which an "
                  "XML document cannot hold; nothing was saved");
    }
    EXPECT_EQ(test::read_file(file), "<sdo/>");
    // Tab, line ends and any other character are written as they stand.
    editor.sgb.set_cell(1, 8, "a\tb\r\nc \xC3\xA9");
    editor.save_document(file);
    EXPECT_EQ(XmlDocument::load(file).root().child(1).attribute("mnemonico"), "a\tb\r\nc \xC3\xA9");
}

TEST(XmlCharacters, OnlyCharactersXml10AllowsPass) {
    EXPECT_EQ(forbidden_xml_character("plain \t\n\r text \xE2\x82\xAC"), std::nullopt);
    EXPECT_EQ(forbidden_xml_character(std::string("a\0b", 3)), U'\0');
    EXPECT_EQ(forbidden_xml_character("\x1F"), U'\x1F');
    EXPECT_EQ(forbidden_xml_character("\x0B"), U'\x0B');
    EXPECT_EQ(forbidden_xml_character("x\xEF\xBF\xBE"), U'\uFFFE');
    EXPECT_EQ(forbidden_xml_character("x\xEF\xBF\xBF"), U'\uFFFF');
    EXPECT_EQ(forbidden_xml_character("\xED\xA0\x80"), char32_t{0xD800});
    EXPECT_EQ(forbidden_xml_character("\xEF\xBF\xBD"), std::nullopt);  // U+FFFD is allowed
}

TEST_F(SdoEditorTest, AnEmptyTableSavesTheBareRoot) {
    EXPECT_EQ(saved(), "<sdo/>");
}

TEST_F(SdoEditorTest, SaveThenLoadGivesTheSamePages) {
    load("<sdo>" + xml_row("48", "0x2000") + xml_row("1", "0x3000", "") + xml_row("0", "0x2001") +
         "</sdo>");
    const Row a1 = row_of(editor.sga, 1), a2 = row_of(editor.sga, 2), b1 = row_of(editor.sgb, 1);
    editor.save_document(file);
    EXPECT_EQ(XmlDocument::load(file).root().child(0).attribute("conf"), "16");
    editor.load(file, messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(row_of(editor.sga, 1), a1);
    EXPECT_EQ(row_of(editor.sga, 2), a2);
    EXPECT_EQ(row_of(editor.sgb, 1), b1);
}

TEST(SdoOrder, KeysAreIndexAndSubindexReducedTo16Bits) {
    auto key = [](const char* index, const char* sub) {
        sdo::TMyrec record;
        record[1] = index;
        record[2] = sub;
        return sdo::sort_key(record);
    };
    EXPECT_EQ(key("0x2000", "1"), key("8192", "1"));
    EXPECT_EQ(key("x2000", "$1"), key("8192", "1"));
    EXPECT_EQ(key("0x12000", "1"), key("0x2000", "1"));
    EXPECT_EQ(key("-1", "0"), key("0xFFFF", "0"));
    EXPECT_EQ(key("idx", "sub"), key("0", "0"));
    EXPECT_EQ(key("", ""), 0u);
    EXPECT_LT(key("0x2000", "0x100"), key("0x2001", "0"));
    EXPECT_LT(key("0x2000", "1"), key("0x2000", "2"));
}

TEST(SdoOrder, EqualKeysKeepTheirOrder) {
    std::vector<sdo::TMyrec> records(5);
    const char* indexes[] = {"0x3000", "0x2000", "wrong", "8192", "0"};
    for (int i = 0; i < 5; ++i) {
        records[i][1] = indexes[i];
        records[i][7] = std::to_string(i);
    }
    sdo::sort_records(records);
    std::vector<std::string> order;
    for (const auto& record : records) order.push_back(record[7]);
    EXPECT_EQ(order, (std::vector<std::string>{"2", "4", "1", "3", "0"}));
}

}  // namespace
}  // namespace fenwarp
