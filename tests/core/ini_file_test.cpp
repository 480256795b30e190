#include "core/shell/ini_file.h"

#include "core/error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace fenwarp {
namespace {

TEST(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    test::TempDir dir;
    IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.read_string("lastproj", "projectname", "none"), "none");
    test::write_file(dir / "a.ini", "[other]\r\nprojectname=x\r\n[lastproj]\r\nkey=y\r\n");
    EXPECT_EQ(ini.read_string("lastproj", "projectname", "none"), "none");
}

TEST(IniFileTest, ReadsValuesWhateverTheCaseOfNamesAndLineEnds) {
    test::TempDir dir;
    test::write_file(dir / "a.ini", "; comment\n[LastProj]\nProjectName = /Demo 1 \n[x]\nk=v");
    IniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.read_string("lastproj", "projectname", ""), "/Demo 1");
    EXPECT_EQ(ini.read_string("x", "k", ""), "v");
}

TEST(IniFileTest, WritingKeepsEveryOtherSectionKeyAndComment) {
    test::TempDir dir;
    test::write_file(dir / "a.ini",
                     "; kept\r\n[first]\r\na=1\r\n\r\n[lastproj]\r\nprojectname=old\r\nother=2\r\n"
                     "[last]\r\nb=3\r\n");
    IniFile ini(dir / "a.ini");
    ini.write_string("lastproj", "projectname", "new");
    EXPECT_EQ(test::read_file(dir / "a.ini"),
              "; kept\r\n[first]\r\na=1\r\n\r\n[lastproj]\r\nprojectname=new\r\nother=2\r\n"
              "[last]\r\nb=3\r\n");
    ini.write_string("first", "c", "4");
    EXPECT_EQ(ini.read_string("first", "c", ""), "4");
    EXPECT_EQ(ini.read_string("first", "a", ""), "1");
    EXPECT_EQ(ini.read_string("last", "b", ""), "3");
}

TEST(IniFileTest, WritingCreatesTheFileAndStoresEmptyValues) {
    test::TempDir dir;
    IniFile ini(dir / "new.ini");
    ini.write_string("lastproj", "projectname", "");
    EXPECT_EQ(test::read_file(dir / "new.ini"), "[lastproj]\r\nprojectname=\r\n");
    EXPECT_EQ(ini.read_string("lastproj", "projectname", "default"), "");
}

TEST(IniFileTest, UnwritableFileThrows) {
    test::TempDir dir;
    IniFile ini(dir / "missing-folder" / "a.ini");
    EXPECT_THROW(ini.write_string("s", "k", "v"), Error);
}

// The INI file is an output like any other: never written through a link, and
// a FIFO standing in its place neither blocks the start nor is written to.
TEST(IniFileTest, ALinkOrAFifoInItsPlaceIsNeitherFollowedNorWaitedFor) {
    test::TempDir dir;
    test::write_file(dir / "outside", "[lastproj]\r\nprojectname=Elsewhere\r\n");
    std::filesystem::create_symlink(dir / "outside", dir / "link.ini");
    IniFile linked(dir / "link.ini");
    EXPECT_THROW(linked.write_string("lastproj", "projectname", "x"), Error);
    EXPECT_EQ(test::read_file(dir / "outside"), "[lastproj]\r\nprojectname=Elsewhere\r\n");

    ASSERT_EQ(::mkfifo((dir / "fifo.ini").c_str(), 0600), 0);
    IniFile fifo(dir / "fifo.ini");
    EXPECT_EQ(fifo.read_string("lastproj", "projectname", "none"), "none");
    EXPECT_THROW(fifo.write_string("lastproj", "projectname", "x"), Error);
}

}  // namespace
}  // namespace fenwarp
