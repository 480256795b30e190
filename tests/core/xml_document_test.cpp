#include "core/documents/xml_document.h"

#include <gtest/gtest.h>

#include "core/output_file.h"
#include "test_support.h"

namespace fenwarp {
namespace {

TEST(XmlDocumentTest, SavesWithoutDeclarationOrWhitespaceInCallOrder) {
    test::TempDir dir;
    XmlDocument doc;
    XmlElement root = doc.create_root("sdo");
    XmlElement row = root.append_element("row");
    row.set_attribute("conf", "16");
    row.set_attribute("IndexA", "0x2000");
    root.append_element("row").set_attribute("conf", "a<b&\"c\"");
    doc.save(dir / "sdo.xml");
    EXPECT_EQ(test::read_file(dir / "sdo.xml"),
              "<sdo><row conf=\"16\" IndexA=\"0x2000\"/><row conf=\"a&lt;b&amp;&quot;c&quot;\""
              "/></sdo>");
}

TEST(XmlDocumentTest, ReadsRecordsByPositionAndAttributesByName) {
    test::TempDir dir;
    test::write_file(dir / "d.xml",
                     "<?xml version=\"1.0\"?>\n<r>\n  <a x=\"1\" />\n  <!-- note -->\n  <b>text "
                     "é</b>\n</r>\n");
    XmlDocument doc = XmlDocument::load(dir / "d.xml");
    XmlElement root = doc.root();
    ASSERT_EQ(root.child_count(), 2u);
    ASSERT_EQ(root.children().size(), 2u);
    EXPECT_EQ(root.children()[1].name(), "b");
    EXPECT_EQ(root.child(0).attribute("x"), "1");
    EXPECT_FALSE(root.child(0).has_attribute("y"));
    EXPECT_EQ(root.child(1).text(), "text é");
}

TEST(XmlDocumentTest, ReadingErrors) {
    test::TempDir dir;
    test::write_file(dir / "bad.xml", "<r><a></r>");
    EXPECT_THROW(XmlDocument::load(dir / "bad.xml"), XmlReadError);
    EXPECT_THROW(XmlDocument::load(dir / "missing.xml"), XmlReadError);
    test::write_file(dir / "empty.xml", "");
    EXPECT_THROW(XmlDocument::load(dir / "empty.xml"), XmlReadError);

    test::write_file(dir / "ok.xml", "<r><a x=\"\"/></r>");
    XmlDocument doc = XmlDocument::load(dir / "ok.xml");
    EXPECT_EQ(doc.root().child(0).attribute("x"), "");  // empty is not absent
    EXPECT_THROW(doc.root().child(0).attribute("y"), XmlReadError);
    EXPECT_THROW(doc.root().child(1), XmlReadError);
}

TEST(XmlDocumentTest, AFailedSaveLeavesTheOldFileWhole) {
    test::TempDir dir;
    const auto target = dir / "pargen.xml";
    test::write_file(target, "<old/>");
    XmlDocument doc;
    doc.create_root("new");
    {
        const ScopedOutputFault disk_full(3);
        EXPECT_THROW(doc.save(target), Error);
    }
    EXPECT_EQ(test::read_file(target), "<old/>");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);

    XmlDocument elsewhere;
    elsewhere.create_root("new");
    EXPECT_THROW(elsewhere.save(dir / "no-folder" / "x.xml"), Error);
}

TEST(XmlDocumentTest, SaveReplacesTheFileAndLeavesNoTemporary) {
    test::TempDir dir;
    test::write_file(dir / "x.xml", "<old>a much longer old document than the new one</old>");
    XmlDocument doc;
    doc.create_root("n");
    doc.save(dir / "x.xml");
    EXPECT_EQ(test::read_file(dir / "x.xml"), "<n/>");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace fenwarp
