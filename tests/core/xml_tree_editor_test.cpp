#include "core/xml/xml_tree_editor.h"

#include <gtest/gtest.h>

#include "core/output_file.h"
#include "core/xml/xml_parser.h"
#include "test_support.h"

namespace fenwarp {
namespace {

const char* pargen_xml =
    "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
    "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity><ser>0</ser>"
    "<devid>0</devid></ParametriGenerali>";
const char* sdo_xml =
    "<sdo><row conf=\"16\" IndexA=\"0x2000\" mnemonico=\"a &amp; b\"/>"
    "<row conf=\"0\" IndexA=\"0x2001\" mnemonico=\"\"/></sdo>";

// A file opened from one folder and written into a project folder.
class XmlTreeEditorTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directories(project); }

    void open(const std::string& name, const std::string& content) {
        test::write_file(source / name, content);
        editor.open(source / name);
    }

    test::TempDir source;
    test::TempDir dir;
    std::filesystem::path project = dir / "P";
    XmlTreeEditor editor;
};

TEST_F(XmlTreeEditorTest, OpenShowsTheDocumentItemAndOneItemPerNode) {
    open("pargen.xml", pargen_xml);
    ASSERT_EQ(editor.items().size(), 1u);
    const XmlTreeItem& top = editor.items()[0];
    EXPECT_EQ(top.text, "File: pargen.xml");
    EXPECT_EQ(top.image_index, 0);
    EXPECT_EQ(top.selected_index, 1);
    ASSERT_EQ(top.children.size(), 1u);
    const XmlTreeItem& root = top.children[0];
    EXPECT_EQ(root.text, "ParametriGenerali");
    EXPECT_EQ(root.image_index, 2);
    EXPECT_EQ(root.selected_index, 3);
    ASSERT_EQ(root.children.size(), 9u);
    EXPECT_EQ(root.children[0].text, "idA = 1");
    EXPECT_EQ(root.children[8].text, "devid = 0");
}

TEST_F(XmlTreeEditorTest, AByteOrderMarkIsNotPartOfTheDocument) {
    open("bom.xml", "\xEF\xBB\xBF<r>\xC3\xA9</r>");
    EXPECT_EQ(editor.items()[0].children[0].text, "r = \xC3\xA9");
}

TEST_F(XmlTreeEditorTest, WriteRecreatesEqualDocuments) {
    for (const auto& [name, content] :
         {std::pair{"pargen.xml", pargen_xml}, std::pair{"sdo.xml", sdo_xml}}) {
        open(name, content);
        ASSERT_EQ(editor.write(project), project / name);
        EXPECT_EQ(test::read_file(project / name), content) << name;
    }
}

TEST_F(XmlTreeEditorTest, EditedItemsAreWrittenByTheirText) {
    open("sdo.xml", sdo_xml);
    const XmlTreeItem& row = editor.items()[0].children[0].children[0];
    EXPECT_EQ(row.children[0].text, "conf = 16");
    EXPECT_EQ(row.children[0].image_index, XmlTreeItem::attribute_picture);
    EXPECT_EQ(row.children[0].selected_index, XmlTreeItem::attribute_picture + 1);
    ASSERT_TRUE(editor.set_text({0, 0, 0, 0}, "conf=  17 "));
    ASSERT_TRUE(editor.set_text({0, 0, 0, 2}, "conf = 18"));  // same name: replaced, not doubled
    ASSERT_TRUE(editor.set_text({0, 0, 1}, "record"));        // no "=": the whole text names it
    ASSERT_TRUE(editor.set_text({0}, "File:  out.xml "));
    EXPECT_FALSE(editor.set_text({0, 3}, "x"));
    ASSERT_EQ(editor.write(project), project / "out.xml");
    EXPECT_EQ(test::read_file(project / "out.xml"),
              "<sdo><row conf=\"18\" IndexA=\"0x2000\"/>"
              "<record conf=\"0\" IndexA=\"0x2001\" mnemonico=\"\"/></sdo>");
}

TEST_F(XmlTreeEditorTest, OtherKindsAreSkipped) {
    open("d.xml", "<r><?in y?><a>v</a></r>\n");
    ASSERT_TRUE(editor.write(project));
    EXPECT_EQ(test::read_file(project / "d.xml"), "<r><a>v</a></r>");
    // The first item under the document names the root, even a declaration.
    open("e.xml", "<?xml version=\"1.0\"?><r/>\n");
    ASSERT_TRUE(editor.write(project));
    EXPECT_EQ(test::read_file(project / "e.xml"), "<XMLDeclaration version=\"1.0\"/>");
}

TEST_F(XmlTreeEditorTest, AFailedOpenKeepsTheItems) {
    open("pargen.xml", pargen_xml);
    test::write_file(source / "bad.xml", "<a><b></a>");
    EXPECT_THROW(editor.open(source / "bad.xml"), XmlParseError);
    EXPECT_THROW(editor.open(source / "missing.xml"), Error);
    EXPECT_EQ(editor.items()[0].text, "File: pargen.xml");
    editor.clear();
    EXPECT_TRUE(editor.items().empty());
}

TEST_F(XmlTreeEditorTest, WriteEndsQuietlyAndWritesNothingOnAnyFault) {
    open("pargen.xml", pargen_xml);
    const struct {
        XmlTreeEditor::ItemPath path;
        const char* text;
    } faults[] = {
        {{0, 0, 0}, "two words = 1"},       // not an element name
        {{0, 0}, "ParametriGenerali = x"},  // the root is named by its whole text
        {{0}, "File: ../escape.xml"},       // not a plain file name
        {{0}, "File: "},                    // no file name at all
    };
    for (const auto& fault : faults) {
        XmlTreeEditor edited = editor;
        ASSERT_TRUE(edited.set_text(fault.path, fault.text));
        EXPECT_FALSE(edited.write(project)) << fault.text;
    }
    EXPECT_FALSE(editor.write(""));  // no project folder
    EXPECT_FALSE(XmlTreeEditor().write(project));
    EXPECT_FALSE(std::filesystem::exists(dir / "escape.xml"));
    EXPECT_TRUE(std::filesystem::is_empty(project));

    test::write_file(project / "pargen.xml", "old");
    {
        ScopedOutputFault full(8);
        EXPECT_FALSE(editor.write(project));
    }
    EXPECT_EQ(test::read_file(project / "pargen.xml"), "old");
}

}  // namespace
}  // namespace fenwarp
