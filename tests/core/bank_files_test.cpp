#include "core/banks/bank_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "bank_test_project.h"
#include "core/banks/update_device.h"
#include "core/error.h"

namespace fenwarp {
namespace {

using test::BankProject;

BankImages patterned() {
    BankImages images;
    for (int n = 1; n <= 5; ++n) {
        for (std::size_t i = 0; i < BankImages::bank_size; ++i) {
            images.bank(n)[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(n));
        }
    }
    return images;
}

std::string as_text(const BankImages::Bank& bank) {
    return {bank.begin(), bank.end()};
}

TEST(BankFilesTest, WritesFiveWholeBanks) {
    BankProject project;
    const BankImages images = patterned();
    // a longer file of the same name is cut to the bank's length
    test::write_file(bank_file_path(project.path(), 3), std::string(20000, 'x'));
    const FilesWritten files = write_bank_files(images, project.path());
    ASSERT_EQ(files.written.size(), 5u);
    EXPECT_TRUE(files.not_written.empty());
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(files.written[static_cast<std::size_t>(n - 1)],
                  project.path() / "bin" / ("bank" + std::to_string(n) + ".bin"));
        EXPECT_EQ(test::read_file(bank_file_path(project.path(), n)), as_text(images.bank(n))) << n;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(project.path() / "bin"),
                            std::filesystem::directory_iterator()),
              5);
}

// Whatever stands at a bank file's place and is not a regular file (a folder,
// a link, a FIFO) is refused and left as it is, naming the file; the other
// banks are still written, and nothing blocks on the FIFO.
TEST(BankFilesTest, WhatIsNotARegularFileIsRefusedAndTheOthersWritten) {
    BankProject project;
    const auto outside = project.path() / "outside.bin";
    test::write_file(outside, "not a bank");
    std::filesystem::create_directory(bank_file_path(project.path(), 2));
    std::filesystem::create_symlink(outside, bank_file_path(project.path(), 3));
    ASSERT_EQ(mkfifo(bank_file_path(project.path(), 4).c_str(), 0600), 0);
    const FilesWritten files = write_bank_files(patterned(), project.path());
    ASSERT_EQ(files.written.size(), 2u);
    ASSERT_EQ(files.not_written.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const auto path = bank_file_path(project.path(), static_cast<int>(i) + 2);
        EXPECT_EQ(files.not_written[i].path, path);
        EXPECT_THAT(files.not_written[i].reason, ::testing::HasSubstr(path.string()));
    }
    EXPECT_EQ(test::read_file(outside), "not a bank");
    EXPECT_TRUE(std::filesystem::is_symlink(bank_file_path(project.path(), 3)));
    for (int n : {1, 5})
        EXPECT_TRUE(std::filesystem::is_regular_file(bank_file_path(project.path(), n)));
}

TEST(BankFilesTest, WithoutBinFolderNoFileAndTheListingFailsNamingIt) {
    test::TempDir project;
    EXPECT_TRUE(write_bank_files(patterned(), project.path()).written.empty());
    try {
        write_bank_listing(patterned(), project.path());
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr((project.path() / "bin" / "bankg.c").string()));
        EXPECT_THAT(e.what(), ::testing::HasSubstr("No such file or directory"));
    }
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no CR LF>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(BankFilesTest, ListingLaysOutBanksOneAndTwo) {
    BankProject project;
    BankImages images;
    images.bank(1)[17] = 171;
    images.bank(2)[16383] = 5;
    images.bank(3)[0] = 0xEE;  // banks 3 to 5 are not listed
    write_bank_listing(images, project.path());
    const std::string text = test::read_file(bank_listing_path(project.path()));
    EXPECT_EQ(text.size(), 235593u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    const std::vector<std::string> lines = lines_of(text);
    ASSERT_EQ(lines.size(), 2052u);

    EXPECT_EQ(lines[0], "#pragma CONST_SEG SEGMENT0");
    EXPECT_EQ(lines[1].substr(0, 28), "const char Bank1 [] = { 0x00");
    EXPECT_EQ(lines[2].substr(0, 29), std::string(17, ' ') + " 0x00, 0xAB,");
    EXPECT_EQ(lines[1025], "");
    EXPECT_EQ(lines[1026].substr(0, 28), "const char Bank2 [] = { 0x00");
    EXPECT_THAT(lines[2049], ::testing::EndsWith(" 0x00, 0x05};"));
    EXPECT_THAT(lines[1024], ::testing::EndsWith(" 0x00, 0x00};"));
    EXPECT_EQ(lines[2050], "");
    EXPECT_EQ(lines[2051], "#pragma CONST_SEG DEFAULT");
    for (std::size_t bank : {1u, 1026u}) {
        EXPECT_EQ(lines[bank].size(), 119u);
        for (std::size_t i = bank + 1; i < bank + 1023; ++i) ASSERT_EQ(lines[i].size(), 113u) << i;
        EXPECT_EQ(lines[bank + 1023].size(), 114u);
    }
    EXPECT_EQ(text.find("0xEE"), std::string::npos);
}

TEST(BankFilesTest, DefaultPargenProjectBuildsBanksAndListing) {
    BankProject project;
    project.write("pargen.xml", test::default_pargen());
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(update_device(project.path(), images, messages, CheckAnswer::UpdateAnyway)
                    .every_file_written());
    EXPECT_EQ(messages.texts.size(), 5u);
    for (int n = 1; n <= 5; ++n) {
        std::string bank = test::read_file(bank_file_path(project.path(), n));
        ASSERT_EQ(bank.size(), 16384u);
        std::string expected(16384, '\0');
        if (n == 2)
            expected.replace(16284, 13, "\x00\x00\x00\x00\x00\x00\x0A\x01\x00\xFA\x01\x03\xE8", 13);
        EXPECT_EQ(bank, expected) << n;
    }
    EXPECT_EQ(test::read_file(bank_listing_path(project.path())).size(), 235593u);
}

TEST(BankFilesTest, MissingPargenWritesNothing) {
    BankProject project;
    project.table("sdo", {test::sdo_row("0", "0x2000")});
    BankImages images;
    MessageRecorder messages;
    EXPECT_FALSE(update_device(project.path(), images, messages, CheckAnswer::UpdateAnyway)
                     .every_file_written());
    EXPECT_EQ(messages.texts.back(), "File Parametres xml not found");
    EXPECT_TRUE(std::filesystem::is_empty(project.path() / "bin"));
}

}  // namespace
}  // namespace fenwarp
