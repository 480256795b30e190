#include "core/shell/help/help_viewer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "core/shell/help/rtf_reader.h"
#include "test_support.h"

namespace fenwarp {
namespace {

// The text of every run, paragraphs joined by "|", with the format of each
// run marked: *bold*, /italic/, _underline_.
std::string plain(const RichText& text) {
    std::string out;
    for (const Paragraph& p : text) {
        if (!out.empty()) out += "|";
        for (const TextRun& r : p.runs) {
            std::string t = r.text;
            if (r.underline) t = "_" + t + "_";
            if (r.italic) t = "/" + t + "/";
            if (r.bold) t = "*" + t + "*";
            out += t;
        }
    }
    return out;
}

struct RtfCase {
    const char* rtf;
    const char* text;
};

class RtfReaderTest : public testing::TestWithParam<RtfCase> {};

TEST_P(RtfReaderTest, ReadsTheTextAndItsFormat) {
    EXPECT_EQ(plain(read_rtf(GetParam().rtf)), GetParam().text) << GetParam().rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfReaderTest,
    testing::Values(
        RtfCase{R"({\rtf1\ansi Hello\par World\par})", "Hello|World"},
        RtfCase{R"({\rtf1 a\line b\tab c})", "a\nb\tc"},
        RtfCase{R"({\rtf1 \b bold\b0  \i it\i0  \ul u\ulnone  x})", "*bold* /it/ _u_ x"},
        RtfCase{R"({\rtf1 {\b in}out})", "*in*out"}, RtfCase{R"({\rtf1 \b a\plain b})", "*a*b"},
        // Tables and destinations that hold no text are skipped, control words never shown.
        RtfCase{R"({\rtf1{\fonttbl{\f0\fswiss Arial;}}{\colortbl;\red0\green0\blue0;})"
                R"({\stylesheet{\s0 Normal;}}{\info{\title T}}{\*\generator W;}Text})",
                "Text"},
        RtfCase{R"({\rtf1 a{\*\unknowndest hidden}b{\pict 0123abcd}c})", "abc"},
        RtfCase{R"({\rtf1 \unknownword5 x\-y})", "xy"},
        // Escapes: Windows-1252 bytes, \u with its fallback, literal braces.
        RtfCase{R"({\rtf1 caf\'e9 \'80 \'93q\'94})", "café € “q”"},
        RtfCase{R"({\rtf1 \u233?t\uc2\u8364??!})", "ét€!"},
        RtfCase{R"({\rtf1 \u-3972?})", "\xEF\x81\xBC" /* U+F07C */},
        RtfCase{R"({\rtf1 \{x\}\\})", "{x}\\"},
        RtfCase{R"({\rtf1 \emdash\bullet\~})", "—•\xC2\xA0"},
        // Broken input gives what was read, never a crash or a control word.
        RtfCase{R"({\rtf1 cut\'4)", "cut"}, RtfCase{R"(}}}{\rtf1 a)", "a"},
        RtfCase{"{\\rtf1 a\\", "a"}));

TEST(RtfReader, FontSizesAndHtml) {
    const RichText text = read_rtf(R"({\rtf1 \fs32 Title\par\fs20 a<b & c\par\par})");
    ASSERT_EQ(text.size(), 3u);
    EXPECT_EQ(text[0].runs[0].half_points, 32);
    EXPECT_EQ(text[1].runs[0].half_points, 20);
    EXPECT_TRUE(text[2].runs.empty());
    const std::string html = to_html(text);
    EXPECT_NE(html.find("font-size:16pt\">Title"), std::string::npos) << html;
    EXPECT_NE(html.find("a&lt;b &amp; c"), std::string::npos) << html;
    EXPECT_EQ(html.find("\\fs"), std::string::npos);
}

class HelpViewerTest : public testing::Test {
  protected:
    HelpViewerTest() { context.exe_dir = dir.path(); }
    std::filesystem::path help_file() const { return dir / "help2.dat"; }

    test::TempDir dir;
    ProjectContext context;
    MessageRecorder messages;
    HelpViewer viewer;
};

TEST_F(HelpViewerTest, ReadsRichTextOrPlainTextAgainAtEachShowing) {
    test::write_file(help_file(), R"({\rtf1 \b Help\b0\par})");
    ASSERT_TRUE(viewer.load(context, messages));
    EXPECT_EQ(viewer.kind(), HelpViewer::Kind::Rich);
    EXPECT_NE(viewer.content().find("<b>Help</b>"), std::string::npos);

    test::write_file(help_file(), "Plain {\\b text}\r\nline 2");
    ASSERT_TRUE(viewer.load(context, messages));
    EXPECT_EQ(viewer.kind(), HelpViewer::Kind::Plain);
    EXPECT_EQ(viewer.content(), "Plain {\\b text}\r\nline 2");

    test::write_file(help_file(), "caf\xE9");  // not UTF-8: the Windows code page
    ASSERT_TRUE(viewer.load(context, messages));
    EXPECT_EQ(viewer.content(), "café");
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(HelpViewerTest, AMissingOrSpecialFileEmptiesTheViewerWithAMessage) {
    test::write_file(help_file(), "shown first");
    ASSERT_TRUE(viewer.load(context, messages));
    std::filesystem::remove(help_file());
    EXPECT_FALSE(viewer.load(context, messages));
    EXPECT_EQ(viewer.kind(), HelpViewer::Kind::Empty);
    EXPECT_TRUE(viewer.content().empty());
    ASSERT_EQ(::mkfifo(help_file().c_str(), 0600), 0);  // must not block
    EXPECT_FALSE(viewer.load(context, messages));
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"Impossible to read file Help",
                                                        "Impossible to read file Help"}));
}

}  // namespace
}  // namespace fenwarp

namespace fenwarp {
namespace {

// What another program writes: LibreOffice's RTF of a page with a heading,
// formats, accents and a list.
TEST(RtfReader, ReadsTheRtfLibreOfficeWritesWithoutAControlWord) {
    const RichText text =
        read_rtf(test::read_file(FENWARP_TEST_SOURCE_DIR "/fixtures/help_libreoffice.rtf"));
    std::string all;
    bool bold = false, italic = false, underline = false;
    for (const Paragraph& p : text)
        for (const TextRun& r : p.runs) {
            all += r.text + "|";
            bold |= r.bold && r.text == "bold";
            italic |= r.italic && r.text == "italic";
            underline |= r.underline && r.text == "underlined";
        }
    EXPECT_NE(all.find("Gateway help"), std::string::npos) << all;
    EXPECT_NE(all.find("café, naïve, 25 °C, € sign — dash."), std::string::npos) << all;
    EXPECT_NE(all.find("Second item"), std::string::npos) << all;
    EXPECT_EQ(all.find('\\'), std::string::npos) << all;
    EXPECT_EQ(all.find("Times New Roman"), std::string::npos) << all;
    EXPECT_TRUE(bold && italic && underline) << all;
}

// The help file shipped with the program reads as text, with no control word.
TEST(RtfReader, TheShippedHelpFileReadsWhole) {
    const std::string rtf = test::read_file(FENWARP_TEST_SOURCE_DIR "/../resources/help2.dat");
    ASSERT_TRUE(looks_like_rtf(rtf));
    std::string all;
    for (const Paragraph& p : read_rtf(rtf))
        for (const TextRun& r : p.runs) all += r.text;
    // Its only backslashes are the two of the paths it names.
    EXPECT_EQ(std::count(all.begin(), all.end(), '\\'), 2) << all;
    EXPECT_NE(all.find("MASTER\\Brax_Traslate.sx"), std::string::npos);
    EXPECT_EQ(all.find('{'), std::string::npos);
    EXPECT_NE(all.find("fenwarp-cli update Example --port 2 --launch"), std::string::npos);
}

}  // namespace
}  // namespace fenwarp
