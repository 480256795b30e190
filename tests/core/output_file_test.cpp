#include "core/output_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/error.h"
#include "core/file_system.h"
#include "test_support.h"

namespace fs = std::filesystem;
using fenwarp::Error;
using fenwarp::OutputFile;
using fenwarp::test::read_file;
using fenwarp::test::TempDir;
using fenwarp::test::write_file;

namespace {

// The files of a folder besides the ones a test put there: a writer must not
// leave a temporary file behind.
std::size_t entries(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

TEST(OutputFile, ReplacesTheTargetOnlyAtCommit) {
    TempDir dir;
    write_file(dir / "t.xml", "old");
    {
        OutputFile out(dir / "t.xml");
        out.write("ne");
        out.write("w");
        EXPECT_EQ(read_file(dir / "t.xml"), "old");
        out.commit();
    }
    EXPECT_EQ(read_file(dir / "t.xml"), "new");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(OutputFile, AWriteThatStopsPartWayLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    write_file(dir / "t.xml", "old");
    {
        OutputFile out(dir / "t.xml");
        out.write("half of it");
    }  // an exception between write and commit ends here
    EXPECT_EQ(read_file(dir / "t.xml"), "old");
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(OutputFile, NeverWritesThroughALinkOrOntoASpecialFile) {
    TempDir dir;
    write_file(dir / "outside", "keep");
    fs::create_symlink(dir / "outside", dir / "link.bin");
    ASSERT_EQ(::mkfifo((dir / "fifo.bin").c_str(), 0600), 0);
    fs::create_directory(dir / "folder.bin");
    for (const char* name : {"link.bin", "fifo.bin", "folder.bin"}) {
        SCOPED_TRACE(name);
        try {
            fenwarp::write_file_atomically(dir / name, "bytes");
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(read_file(dir / "outside"), "keep");
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
}

TEST(OutputFile, ALinkWhereTheOldTemporaryNameWasIsNotFollowed) {
    TempDir dir;
    write_file(dir / "outside", "keep");
    fs::create_symlink(dir / "outside", dir / "sdo.xml.tmp");
    fenwarp::write_file_atomically(dir / "sdo.xml", "<sdo/>");
    EXPECT_EQ(read_file(dir / "outside"), "keep");
    EXPECT_EQ(read_file(dir / "sdo.xml"), "<sdo/>");
    EXPECT_FALSE(fs::is_symlink(dir / "sdo.xml"));
}

TEST(OutputFile, AMissingFolderIsReportedWithTheTargetsName) {
    TempDir dir;
    try {
        fenwarp::write_file_atomically(dir / "no" / "t.xml", "x");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("t.xml"), std::string::npos);
    }
}
