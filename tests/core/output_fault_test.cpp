// Every kind of output, failing part way as on a full disk: the old file
// stays whole and no temporary file is left behind.
#include <gtest/gtest.h>

#include <functional>

#include "../fixtures/firmware_images.h"
#include "bank_test_project.h"
#include "core/banks/bank_files.h"
#include "core/banks/update_device.h"
#include "core/documents/csv_export.h"
#include "core/documents/pargen/pargen_editor.h"
#include "core/error.h"
#include "core/firmware/image_patch.h"
#include "core/output_file.h"

namespace fenwarp {
namespace {

struct OutputKind {
    const char* name;
    std::filesystem::path (*target)(const test::FirmwareWorkspace& ws);
    // Writes the output; a failure may throw or report and return false.
    void (*write)(test::FirmwareWorkspace& ws);
};

std::size_t entries(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

BankImages some_banks() {
    BankImages images;
    for (int n = 1; n <= 5; ++n) images.bank(n).fill(static_cast<std::uint8_t>(n));
    return images;
}

class OutputFaultTest : public ::testing::TestWithParam<OutputKind> {};

TEST_P(OutputFaultTest, AWriteFailingPartWayLeavesTheOldFileAndNoTemporary) {
    test::FirmwareWorkspace ws;
    ws.write_all();
    const auto target = GetParam().target(ws);
    test::write_file(target, "the old file");
    const std::size_t before = entries(target.parent_path());
    for (std::size_t fail_after : {0u, 1u, 10u}) {
        const ScopedOutputFault disk_full(fail_after);
        try {
            GetParam().write(ws);
        } catch (const Error&) {
        }
        EXPECT_EQ(test::read_file(target), "the old file") << fail_after;
        EXPECT_EQ(entries(target.parent_path()), before) << fail_after;
    }
    GetParam().write(ws);  // and without the fault it is written
    EXPECT_NE(test::read_file(target), "the old file");
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OutputFaultTest,
    ::testing::Values(
        OutputKind{"Document", [](const auto& ws) { return ws.context.documents.pargen; },
                   [](auto& ws) { PargenEditor().save_document(ws.context.documents.pargen); }},
        OutputKind{"Csv", [](const auto& ws) { return ws.context.project_dir / "sdo.csv"; },
                   [](auto& ws) {
                       CsvText csv;
                       const std::string fields[] = {"IndexA", "0x2000"};
                       csv.add_line(fields);
                       csv.save(ws.context.project_dir / "sdo.csv");
                   }},
        OutputKind{"BankFile", [](const auto& ws) { return ws.bin() / "bank2.bin"; },
                   [](auto& ws) {
                       const FilesWritten files =
                           write_bank_files(some_banks(), ws.context.project_dir);
                       if (!files.not_written.empty()) throw Error(files.not_written[0].reason);
                   }},
        OutputKind{"Listing", [](const auto& ws) { return ws.bin() / "bankg.c"; },
                   [](auto& ws) { write_bank_listing(some_banks(), ws.context.project_dir); }},
        OutputKind{"Image", [](const auto& ws) { return ws.output(); },
                   [](auto& ws) {
                       MessageRecorder messages;
                       Progress progress;
                       ProgressMeter meter(progress, {});
                       patch_image({ws.template_file(),
                                    ws.context.project_dir,
                                    "New_Brax_Traslate.sx",
                                    ws.bin(),
                                    {true, true, false, false, false}},
                                   messages, meter);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

// A bank file that could not be written is named, and the firmware dialog
// must not open: Update Device reports it did not write every file.
TEST(UpdateDeviceTest, AFileNotWrittenIsNamedAndStopsTheUpdate) {
    test::BankProject project;
    project.write("pargen.xml", test::default_pargen());
    std::filesystem::create_directory(bank_file_path(project.path(), 2));
    std::filesystem::create_symlink(project.path() / "elsewhere.c",
                                    bank_listing_path(project.path()));
    BankImages images;
    MessageRecorder messages;
    const UpdateDeviceResult result =
        update_device(project.path(), images, messages, CheckAnswer::UpdateAnyway);
    EXPECT_TRUE(result.compiled);
    EXPECT_FALSE(result.every_file_written());
    ASSERT_EQ(result.not_written.size(), 2u);
    EXPECT_EQ(result.not_written[0].path, bank_file_path(project.path(), 2));
    EXPECT_EQ(result.not_written[1].path, bank_listing_path(project.path()));
    EXPECT_EQ(result.written.size(), 4u);
    ASSERT_GE(messages.texts.size(), 2u);
    EXPECT_EQ(messages.texts[messages.texts.size() - 2].rfind("File bank2.bin not written: ", 0),
              0u);
    EXPECT_EQ(messages.texts.back().rfind("File bankg.c not written: ", 0), 0u);
    EXPECT_EQ(result.messages, messages.texts);
    EXPECT_FALSE(std::filesystem::exists(project.path() / "elsewhere.c"));
}

// Without a project folder nothing is read or written, least of all at the
// root of the file system.
TEST(UpdateDeviceTest, NoProjectTouchesNothing) {
    const bool root_had_bin =
        std::filesystem::exists("/bin/bank1.bin") || std::filesystem::exists("/bin/bankg.c");
    if (root_had_bin) GTEST_SKIP() << "/bin already holds bank files";
    test::TempDir dir;
    for (const std::filesystem::path& project : {std::filesystem::path(), dir / "gone"}) {
        BankImages images;
        MessageRecorder messages;
        const UpdateDeviceResult result =
            update_device(project, images, messages, CheckAnswer::UpdateAnyway);
        EXPECT_FALSE(result.project_valid);
        EXPECT_FALSE(result.every_file_written());
        EXPECT_EQ(messages.texts, std::vector<std::string>{"Project not valid"});
        EXPECT_TRUE(result.written.empty());
    }
    EXPECT_FALSE(std::filesystem::exists("/bin/bank1.bin"));
    EXPECT_FALSE(std::filesystem::exists("/bin/bankg.c"));
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
}

}  // namespace
}  // namespace fenwarp
