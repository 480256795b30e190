// Open Firmware: the chosen image's folder is where the flash writer starts.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "../fixtures/firmware_images.h"
#include "core/firmware/firmware_editor.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;

TEST(OpenFirmware, LeavesTheChosenFilesFolderCurrentForTheFlashWriter) {
    test::FirmwareWorkspace ws;
    ws.write_all();
    // A flash writer that notes the folder it was started in.
    const fs::path writer = ws.context.exe_dir / "Torquill.exe";
    test::write_file(writer,
                     "#!/bin/sh\npwd > \"$(dirname \"$0\")/cwd.part\"\n"
                     "mv \"$(dirname \"$0\")/cwd.part\" \"$(dirname \"$0\")/cwd.log\"\n");
    fs::permissions(writer, fs::perms::owner_all);
    FirmwareEditor editor;
    MessageRecorder messages;
    editor.show(ws.context, messages);
    ASSERT_TRUE(fs::equivalent(fs::current_path(), ws.context.template_dir));

    const fs::path other = ws.dir / "elsewhere" / "Other.Sx";
    fs::create_directories(other.parent_path());
    test::write_file(other, test::small_template());
    editor.open_firmware(ws.context, other);
    EXPECT_TRUE(fs::equivalent(fs::current_path(), other.parent_path()));

    ASSERT_TRUE(editor.patch(messages));
    ASSERT_TRUE(editor.launch(ws.context, messages));
    const fs::path log = ws.context.exe_dir / "cwd.log";
    for (int i = 0; i < 100 && !fs::exists(log); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::string started = test::read_file(log);
    while (!started.empty() && started.back() == '\n') started.pop_back();
    EXPECT_TRUE(fs::equivalent(started, other.parent_path())) << started;
    EXPECT_TRUE(messages.texts.empty());
}

}  // namespace
}  // namespace fenwarp
