#include "core/xml/xml_parser.h"

#include <gtest/gtest.h>

#include "core/xml/xml_text.h"
#include "core/xml/xml_tree_text.h"

namespace fenwarp {
namespace {

struct ParseCase {
    const char* what;
    std::string text;
    std::string tree;  // expected lines, or empty when `error` is set
    std::string error = {};
};

std::string tree_of(const std::string& text) {
    return xml_tree_text(*parse_xml_text(text));
}

class ParsesTo : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsesTo, TreeOrMessage) {
    const ParseCase& c = GetParam();
    if (c.error.empty()) {
        EXPECT_EQ(tree_of(c.text), c.tree) << c.what;
        return;
    }
    try {
        tree_of(c.text);
        ADD_FAILURE() << c.what << ": parsed";
    } catch (const XmlParseError& e) {
        EXPECT_EQ(std::string(e.what()), c.error) << c.what;
    }
}

// What the grammar builds: kinds, order, values and their trimming.
INSTANTIATE_TEST_SUITE_P(
    Trees, ParsesTo,
    ::testing::Values(
        ParseCase{"root then line break", "<a/>\n", "File: \n  a\n"},
        ParseCase{"root then end tag at the very end", "<a></a>", "File: \n  a\n"},
        ParseCase{"text around a child: inner blanks kept, outer trimmed", "<a> x <b/> y </a>\n",
                  "File: \n  a = x  y\n    b\n"},
        ParseCase{"tab, CR and LF are trimmed too", "<a>\t\r\n v \n</a>", "File: \n  a = v\n"},
        ParseCase{"attributes first, then children in order", "<r><c/><?pi data?></r>\n",
                  "File: \n  r\n    c\n    piProcessingInstruction = data\n"},
        ParseCase{"attribute references", "<a b=\"a&amp;b\" c='&#65;&#x41;&lt;&gt;&quot;&apos;'/> ",
                  "File: \n  a\n    b = a&b\n    c = AA<>\"'\n"},
        ParseCase{"references in content", "<a>&#65;&#x41;&amp;</a>", "File: \n  a = AA&\n"},
        ParseCase{"a numeric reference above ASCII is UTF-8", "<a>&#233;&#x20AC;&#x1F600;</a>",
                  "File: \n  a = \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\n"},
        ParseCase{"CDATA joins the value", "<a>x<![CDATA[<&]]>y</a>", "File: \n  a = x<&y\n"},
        ParseCase{"comments make no node", "<!-- c --><a><!--x--></a><!-- d -->", "File: \n  a\n"},
        ParseCase{"a comment cut off by the end is accepted", "<a/> <!-- open", "File: \n  a\n"},
        ParseCase{"declaration with its pseudo-attributes",
                  "<?xml version=\"1.0\" encoding='UTF-8' ?><a/>\n",
                  "File: \n  XMLDeclaration\n    version = 1.0\n    encoding = UTF-8\n  a\n"},
        ParseCase{"processing instructions at document level", "<?style x?>\n<a/><?end?>",
                  "File: \n  styleProcessingInstruction = x\n  a\n"
                  "  endProcessingInstruction\n"},
        ParseCase{"blanks around = and in end tags", "<a b = \"1\" ></a >",
                  "File: \n  a\n    b = 1\n"},
        ParseCase{"names with digits, dots, dashes, colons", "<x:a-1.b _c=\"\"/>\n",
                  "File: \n  x:a-1.b\n    _c\n"},
        ParseCase{"anything after the root's misc is ignored", "<a/>\nrubbish <b>",
                  "File: \n  a\n"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::to_string(info.index); });

// Every refusal with its exact message.
INSTANTIATE_TEST_SUITE_P(
    Messages, ParsesTo,
    ::testing::Values(
        ParseCase{"empty text", "", "", "Unexpected end of data"},
        ParseCase{"/> then the end of data", "<a/>", "", "Unexpected end of data"},
        ParseCase{"unterminated attribute value", "<a b=\"xy", "", "Unexpected end of data"},
        ParseCase{"no element", "  hello", "", "Missing element"},
        ParseCase{"only a comment", "<!-- c -->\n", "", "Missing element"},
        ParseCase{"doctype", "<!DOCTYPE a><a/>\n", "", "DocTypeDecl parsing not yet implemented"},
        ParseCase{"declaration not closed", "<?xml version=\"1.0\"><a/>", "",
                  "XML declaration not terminated with \"?>\""},
        ParseCase{"<?xml is taken as the declaration first", "<?xml-stylesheet x?><a/>\n", "",
                  "XML declaration not terminated with \"?>\""},
        ParseCase{"second declaration is a reserved PI", "<?xml version=\"1.0\"?><?xml?><a/>\n", "",
                  "Processing instruction cannot have the reserved name \"xml\""},
        ParseCase{"comment ending in --->", "<a><!-- x ---></a>\n", "",
                  "Comments cannot end in \"--->\""},
        ParseCase{"PI without name", "<? x?><a/>\n", "",
                  "Processing instruction does not contain valid name"},
        ParseCase{"PI without end", "<a/><?pi data", "", "Unterminated processing instruction"},
        ParseCase{"end tag mismatch", "<a><b></a>", "",
                  "End tag name \"a\" does not match start tag name \"b\""},
        ParseCase{"end tag without >", "<a></a x", "", "End tag missing \">\""},
        ParseCase{"no end tag", "<a>x<!y</a>", "", "No ending tag for a"},
        ParseCase{"tag not terminated", "<a b=\"1\"?>", "", "Tag not terminated properly"},
        ParseCase{"/ not followed by >", "<a/ >\n", "", "Tag not terminated properly"},
        ParseCase{"attribute without =", "<a b/>\n", "", "Equals sign missing in attribute"},
        ParseCase{"attribute without quotes", "<a b=1/>\n", "", "Attribute \"b\" missing value"},
        ParseCase{"< in attribute value", "<a b=\"<\"/>\n", "",
                  "Invalid character \"<\" in attribute value"},
        ParseCase{"]]> in character data", "<a>x]]>y</a>", "",
                  "Character data cannot contain \"]]>\""},
        ParseCase{"unknown entity", "<a>&nbsp;</a>", "", "Unrecognized reference"},
        ParseCase{"bad decimal", "<a>&#6x;</a>", "", "Invalid integer in reference &#6x;"},
        ParseCase{"hex without digits", "<a>&#x;</a>", "", "Invalid integer in reference &#x;"},
        ParseCase{"code 0", "<a>&#0;</a>", "", "Invalid integer in reference &#0;"},
        ParseCase{"surrogate", "<a>&#xD800;</a>", "", "Invalid integer in reference &#xD800;"},
        ParseCase{"above Unicode", "<a>&#x110000;</a>", "",
                  "Invalid integer in reference &#x110000;"},
        ParseCase{"a huge number does not wrap round", "<a>&#18446744073709551681;</a>", "",
                  "Invalid integer in reference &#18446744073709551681;"}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::to_string(info.index); });

std::string nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<e>";
    for (int i = 0; i < depth; ++i) text += "</e>";
    return text + "\n";
}

TEST(XmlParserTest, NestingIsCappedInsteadOfOverflowingTheStack) {
    EXPECT_EQ(parse_xml_text(nested(xml_max_depth))->child(0).child_count(), 1u);
    for (int depth : {xml_max_depth + 1, 5000, 200000}) {
        try {
            parse_xml_text(nested(depth));
            ADD_FAILURE() << depth << " levels parsed";
        } catch (const XmlParseError& e) {
            EXPECT_STREQ(e.what(), "Elements nested too deeply");
        }
    }
}

TEST(XmlParserTest, NodesKeepKindsNamesAndValues) {
    auto document = parse_xml_text("<?xml version=\"1.0\"?><r a=\"1\">t<c/></r>\n");
    document->file_name = "x.xml";
    EXPECT_EQ(document->display_text(), "File: x.xml");
    ASSERT_EQ(document->child_count(), 2u);
    EXPECT_EQ(document->child(0).kind, TXMLNodeKind::XMLDeclaration);
    const TXMLNode& root = document->child(1);
    EXPECT_EQ(root.kind, TXMLNodeKind::Element);
    EXPECT_EQ(root.value, "t");
    EXPECT_EQ(root.child(0).kind, TXMLNodeKind::Attribute);
    EXPECT_EQ(root.child(1).name, "c");
    std::unique_ptr<TXMLNode> removed = document->remove_child(0);
    EXPECT_EQ(removed->kind, TXMLNodeKind::XMLDeclaration);
    EXPECT_EQ(document->child_count(), 1u);
}

TEST(XmlParserTest, StringReaderCountsTheLastCharacterAsAtEnd) {
    TXMLStringReader reader("ab");
    EXPECT_FALSE(reader.at_end());
    reader.next_char();
    auto state = reader.save_state();
    reader.next_char();
    EXPECT_EQ(reader.current, 'b');
    EXPECT_TRUE(reader.at_end());
    reader.next_char();
    EXPECT_EQ(reader.current, 0);
    reader.restore_state(*state);
    EXPECT_EQ(reader.current, 'a');
    EXPECT_FALSE(reader.at_end());
    reader.free_state(std::move(state));
}

TEST(XmlTextTest, Helpers) {
    using namespace xml_text;
    EXPECT_EQ(left_part("abc", 2), "ab");
    EXPECT_EQ(left_part("abc", 9), "abc");
    EXPECT_EQ(right_part("abc", 2), "bc");
    EXPECT_EQ(right_part("abc", 9), "abc");
    EXPECT_EQ(trim_blanks(" \ta b\t "), "\ta b\t");
    EXPECT_EQ(trim_set("\n x \r", " \r\n"), "x");
    EXPECT_EQ(trim_set("   ", " "), "");
}

}  // namespace
}  // namespace fenwarp
