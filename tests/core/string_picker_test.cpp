#include "core/xml/string_picker.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace fenwarp {
namespace {

class StringPickerTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    StringPicker picker;
    MessageRecorder messages;
};

TEST_F(StringPickerTest, WithoutADocumentSaysSoAndKeepsTheStrings) {
    StringPicker::LoadResult result = picker.load(messages);
    EXPECT_FALSE(result.found);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"File strings XML not found"});
    EXPECT_EQ(picker.string_at(0), "");
    EXPECT_EQ(picker.current_row(), 1);
}

TEST_F(StringPickerTest, FillsByPositionKeepsTheRestAndRemembersTheSelection) {
    picker.strings_path = dir / "s.xml";
    test::write_file(picker.strings_path,
                     "<s><a>zero</a><b>o<i>n</i>e</b><c><![CDATA[two]]></c><d>three</d></s>");
    ASSERT_EQ(picker.load(messages).filled, 4u);
    test::write_file(picker.strings_path, "<s><x>0</x><y>1</y><z>2</z></s>");
    StringPicker::LoadResult result = picker.load(messages);
    EXPECT_TRUE(result.read_whole);
    EXPECT_EQ(result.filled, 3u);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(picker.string_at(2), "2");
    EXPECT_EQ(picker.string_at(3), "three");  // not reached by the second document

    EXPECT_EQ(picker.select_row(2), "Sel str: 1");
    EXPECT_EQ(picker.selected_index, 1);
    EXPECT_EQ(picker.select_row(6), "Sel str: 5");
    EXPECT_EQ(picker.current_row(), 6);
}

TEST_F(StringPickerTest, ChildrenBeyondTheLastRowAreIgnored) {
    picker.strings_path = dir / "s.xml";
    std::string text = "<s>";
    for (int i = 0; i < 1005; ++i) text += "<t>" + std::to_string(i) + "</t>";
    test::write_file(picker.strings_path, text + "</s>");
    StringPicker::LoadResult result = picker.load(messages);
    EXPECT_EQ(result.filled, 1000u);
    EXPECT_EQ(result.ignored, 5u);
    EXPECT_EQ(picker.string_at(999), "999");
}

TEST_F(StringPickerTest, AFaultyDocumentIsAReadingError) {
    picker.strings_path = dir / "s.xml";
    test::write_file(picker.strings_path, "<s><t>kept</t></s>");
    picker.load(messages);
    test::write_file(picker.strings_path, "<s><t>new</t>");
    StringPicker::LoadResult result = picker.load(messages);
    EXPECT_TRUE(result.found);
    EXPECT_FALSE(result.read_whole);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Error in reading file XML"});
    EXPECT_EQ(picker.string_at(0), "kept");
}

}  // namespace
}  // namespace fenwarp
