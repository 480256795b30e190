#include "core/documents/pargen/pargen_editor.h"

#include <gtest/gtest.h>

#include "core/documents/xml_document.h"
#include "test_support.h"

namespace fenwarp {
namespace {

using Fields = std::vector<std::string>;

Fields fields(const PargenEditor& e) {
    return {e.dev_id_a, e.baud_a, e.dev_id_b, e.baud_b, e.sdo_timeout};
}

class PargenEditorTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "pargen.xml";
    PargenEditor editor;
    MessageRecorder messages;
};

TEST_F(PargenEditorTest, ADefaultSaveWritesTheNineElementsInOrder) {
    editor.save_document(file);
    EXPECT_EQ(test::read_file(file),
              "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
              "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
              "<ser>0</ser><devid>0</devid></ParametriGenerali>");
}

TEST_F(PargenEditorTest, LoadReadsChildrenByPositionWhateverTheirNames) {
    test::write_file(file, "<p><a>7</a><b>333</b><c>9</c><d> 500</d><e>x</e><f>5</f></p>");
    editor.load(file, messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(fields(editor), (Fields{"7", "333", "9", " 500", "x"}));

    editor.save_document(file);  // written exactly as held
    PargenEditor again;
    again.load(file, messages);
    EXPECT_EQ(fields(again), (Fields{"7", "333", "9", " 500", "x"}));
}

TEST_F(PargenEditorTest, MissingFileSaysSoAndKeepsTheFields) {
    editor.baud_a = "125";
    editor.load(file, messages);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"File XML not found"}));
    EXPECT_EQ(editor.baud_a, "125");
}

TEST_F(PargenEditorTest, AShortDocumentFillsWhatItHasThenReportsAReadingError) {
    test::write_file(file,
                     "<ParametriGenerali><idA>3</idA><BoudA>20</BoudA><idB>4</idB>"
                     "</ParametriGenerali>");
    editor.load(file, messages);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"Error in reading file XML"}));
    EXPECT_EQ(fields(editor), (Fields{"3", "20", "4", "250", "1000"}));
}

TEST_F(PargenEditorTest, AMalformedDocumentChangesNothingOnDiskOrInTheFields) {
    const std::string broken = "<ParametriGenerali><idA>3</idA><BoudA>";
    test::write_file(file, broken);
    editor.load(file, messages);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"Error in reading file XML"}));
    EXPECT_EQ(fields(editor), (Fields{"1", "10", "1", "250", "1000"}));
    EXPECT_EQ(test::read_file(file), broken);
}

TEST_F(PargenEditorTest, SaveIntoAMissingFolderThrowsAndWritesNothing) {
    EXPECT_THROW(editor.save_document(dir / "gone" / "pargen.xml"), Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
}

}  // namespace
}  // namespace fenwarp
