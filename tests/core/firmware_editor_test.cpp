#include "core/firmware/firmware_editor.h"

#include <gtest/gtest.h>

#include <map>

#include "../fixtures/firmware_images.h"
#include "core/firmware/flash_writer.h"
#include "core/firmware/update_log.h"
#include "core/sha256.h"

namespace fenwarp {
namespace {

class FirmwareEditorTest : public ::testing::Test {
  protected:
    FirmwareEditorTest() {
        ws.write_all();
        ws.write_flash_writer();
    }

    // Records each start of the flash writer instead of starting it: whether
    // it was started is known the moment the call returns.
    void record_starts() {
        editor.start_writer = [this](const std::filesystem::path&, const std::string& text) {
            started.push_back(text);
            return true;
        };
    }
    std::vector<std::string> started;

    test::FirmwareWorkspace ws;
    FirmwareEditor editor;
    MessageRecorder messages;
};

TEST_F(FirmwareEditorTest, ShowingPreparesTheDialog) {
    editor.boxes[2].checked = true;
    editor.boxes[0].red = true;
    editor.port = 5;
    editor.progress.value = 40;
    editor.toggle_options();
    editor.show(ws.context, messages);

    EXPECT_TRUE(messages.texts.empty());
    EXPECT_TRUE(editor.execute_enabled);
    EXPECT_FALSE(editor.options_shown);
    EXPECT_EQ(editor.options_caption(), "Options >>");
    for (int i = 0; i < 5; ++i) {
        const BankBox& box = editor.boxes[static_cast<std::size_t>(i)];
        EXPECT_EQ(box.visible, i < 2) << i;
        EXPECT_FALSE(box.red) << i;
        EXPECT_TRUE(box.checked || i >= 2) << i;
    }
    EXPECT_EQ(editor.port, 0);
    EXPECT_EQ(editor.progress.value, 0);
    EXPECT_EQ(editor.bank_dir, ws.bin());
    EXPECT_EQ(editor.template_file_name, "Brax_Traslate.sx");
    EXPECT_EQ(editor.output_name, "New_Brax_Traslate.sx");
    EXPECT_EQ(editor.output_path(), ws.output());
    EXPECT_TRUE(
        std::filesystem::equivalent(std::filesystem::current_path(), ws.context.template_dir));
}

TEST_F(FirmwareEditorTest, MissingTemplateIsAnErrorBoxAndExecuteStaysOff) {
    std::filesystem::remove(ws.template_file());
    editor.show(ws.context, messages);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Error file Brax_Traslate.sx not found"});
    EXPECT_EQ(messages.kinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_FALSE(editor.execute_enabled);
}

// The bank folder of an earlier showing stays when the project has none.
TEST_F(FirmwareEditorTest, BankFolderKeptWhenTheProjectHasNone) {
    editor.show(ws.context, messages);
    const auto first_bin = ws.bin();
    ws.context.project_dir = ws.context.projects_dir / "Other";
    std::filesystem::create_directories(ws.context.project_dir);
    editor.show(ws.context, messages);
    EXPECT_EQ(editor.bank_dir, first_bin);
    EXPECT_EQ(editor.output_dir, ws.context.project_dir);
}

TEST_F(FirmwareEditorTest, ExecutePatchesThenStartsTheFlashWriter) {
    editor.show(ws.context, messages);
    editor.port = 2;  // "COM3"
    EXPECT_TRUE(editor.execute(ws.context, messages));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_TRUE(std::filesystem::exists(ws.output()));
    EXPECT_EQ(ws.wait_for_log(), "\"" + ws.output().string() +
                                     "\"\xC2\xB6"
                                     "2");
    EXPECT_TRUE(editor.patch_enabled);
}

// A failed patch must not send the image of an earlier run to the device,
// nor add to update.log.
TEST_F(FirmwareEditorTest, FailedPatchDoesNotLaunch) {
    record_starts();
    editor.show(ws.context, messages);
    test::write_file(ws.output(), "an earlier run's image");
    std::filesystem::remove(ws.bin() / "bank1.bin");
    EXPECT_FALSE(editor.execute(ws.context, messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"File bank1.bin Not Found,Abort Procedure"});
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(std::filesystem::exists(ws.context.project_dir / "update.log"));
}

// The dialog starts the writer on an image that lacks a bank (its box turns
// red); a script asks for every bank and gets no launch.
TEST_F(FirmwareEditorTest, ImageWithoutABanksRangeLaunchesOnlyWhenAllowed) {
    record_starts();
    ws.write_template(test::srec_line('2', 0x398000, test::filled(32, 0)) + "S9030000FC\r\n");
    editor.show(ws.context, messages);
    EXPECT_FALSE(
        editor.execute(ws.context, messages, {}, FirmwareEditor::LaunchWhen::EveryBankPatched));
    EXPECT_TRUE(editor.image_made);
    EXPECT_TRUE(editor.boxes[0].red);
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(editor.execute(ws.context, messages));
    EXPECT_EQ(started.size(), 1u);
}

// Every patch that made an image adds one line to update.log; the port stands
// there only when the writer was started.
TEST_F(FirmwareEditorTest, EachImageMadeIsRecordedOnce) {
    record_starts();
    test::write_file(ws.context.project_dir / "sdo.xml", "<sdo/>");
    editor.show(ws.context, messages);
    ASSERT_TRUE(editor.patch(messages));
    editor.port = 4;
    ASSERT_TRUE(editor.execute(ws.context, messages));
    std::filesystem::remove(ws.bin() / "bank2.bin");
    EXPECT_FALSE(editor.patch(messages));
    const std::vector<UpdateRecord> records = read_update_log(ws.context.project_dir);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].port);
    EXPECT_EQ(records[1].port, std::optional<std::string>("COM5"));
    EXPECT_EQ(records[1].banks, (std::vector<int>{1, 2}));
    EXPECT_EQ(records[1].image_sha256, sha256_hex(test::read_file(ws.output())));
    EXPECT_EQ(records[1].template_sha256, sha256_hex(test::small_template()));
    EXPECT_EQ(records[1].template_path, ws.template_file().string());
    ASSERT_EQ(records[1].files.size(), 11u);
    std::map<std::string, std::string> digests(records[1].files.begin(), records[1].files.end());
    EXPECT_EQ(digests["sdo.xml"], sha256_hex("<sdo/>"));
    EXPECT_EQ(digests["bank1.bin"], sha256_hex(test::bank_bytes(1)));
    EXPECT_EQ(digests["pargen.xml"], "");
    EXPECT_NE(records[1].time.find('T'), std::string::npos);
    EXPECT_EQ(records[1].time.back(), 'Z');
    // The template was written a moment ago: its stamp is not yet a key.
    EXPECT_EQ(records[1].template_stamp, "");
}

// The template's digest is hashed once and then taken from update.log while
// the file keeps its stamp; any change to the file makes it hashed again.
TEST_F(FirmwareEditorTest, TemplateDigestIsReusedWhileTheFileKeepsItsStamp) {
    editor.template_settle = std::chrono::seconds(0);
    editor.show(ws.context, messages);
    ASSERT_TRUE(editor.patch(messages));
    const std::filesystem::path log = ws.context.project_dir / "update.log";
    const std::string real = sha256_hex(test::small_template());
    std::string text = test::read_file(log);
    ASSERT_NE(text.find(real), std::string::npos);
    ASSERT_NE(read_update_log(ws.context.project_dir)[0].template_stamp, "");
    // A digest only the log knows shows it was taken over, not hashed again.
    const std::string marked(64, 'a');
    text.replace(text.find(real), real.size(), marked);
    test::write_file(log, text);
    ASSERT_TRUE(editor.patch(messages));
    // Rewritten in place: the same inode, and a change time that a coarse
    // clock may not move within the test, but a new size.
    std::string changed = test::small_template() + "S5030000FC\r\n";
    ws.write_template(changed);
    ASSERT_TRUE(editor.patch(messages));
    ws.write_template(test::small_template());
    editor.template_settle = std::chrono::hours(1);
    ASSERT_TRUE(editor.patch(messages));
    const std::vector<UpdateRecord> records = read_update_log(ws.context.project_dir);
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1].template_sha256, marked);
    EXPECT_EQ(records[2].template_sha256, sha256_hex(changed));
    EXPECT_EQ(records[3].template_sha256, real);
    EXPECT_EQ(records[3].template_stamp, "");
    EXPECT_EQ(records[3].image_sha256, sha256_hex(test::read_file(ws.output())));
}

// Only the newest record of the same template counts, and only the end of a
// long log is read.
TEST(UpdateLogTest, LastTemplateDigestIsTheNewestOfThatTemplate) {
    test::TempDir dir;
    const auto line = [](const std::string& path, const std::string& stamp, char digit) {
        UpdateRecord record;
        record.template_path = path;
        record.template_stamp = stamp;
        record.template_sha256 = std::string(64, digit);
        return update_log_line(record);
    };
    std::string text = "not a record\n";
    for (int i = 0; i < 2000; ++i) text += line("/m/other.sx", "9", '0');
    EXPECT_FALSE(last_template_digest(dir.path(), "/m/t.sx"));
    test::write_file(dir.path() / "update.log", text);
    EXPECT_FALSE(last_template_digest(dir.path(), "/m/t.sx"));
    text += line("/m/t.sx", "1:2:3:4:5", 'b') + line("/m/other.sx", "9", 'c');
    test::write_file(dir.path() / "update.log", text);
    const std::optional<KnownDigest> known = last_template_digest(dir.path(), "/m/t.sx");
    ASSERT_TRUE(known);
    EXPECT_EQ(known->stamp, "1:2:3:4:5");
    EXPECT_EQ(known->sha256, std::string(64, 'b'));
    test::write_file(dir.path() / "update.log", text + line("/m/t.sx", "", 'd'));
    EXPECT_FALSE(last_template_digest(dir.path(), "/m/t.sx"));
}

// With no project the dialog's execute touches nothing.
TEST_F(FirmwareEditorTest, NoProjectNoPatch) {
    record_starts();
    ws.context.project_dir.clear();
    editor.show(ws.context, messages);
    messages.clear();
    EXPECT_FALSE(editor.execute(ws.context, messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Project not valid"});
    EXPECT_TRUE(started.empty());
    EXPECT_FALSE(std::filesystem::exists("/New_Brax_Traslate.sx"));
    EXPECT_FALSE(std::filesystem::exists("/update.log"));
}

// A project without "bin" in a run that never found one: nothing made, nothing started.
TEST_F(FirmwareEditorTest, ProjectWithoutBinFolder) {
    record_starts();
    std::filesystem::remove_all(ws.bin());
    editor.show(ws.context, messages);
    EXPECT_FALSE(editor.execute(ws.context, messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Directory Bin Not Found,Abort Procedure"});
    EXPECT_FALSE(std::filesystem::exists(ws.output()));
    EXPECT_TRUE(started.empty());
}

TEST_F(FirmwareEditorTest, BankWithoutRecordsTurnsItsBoxRed) {
    ws.write_template("S9030000FC\r\n");
    editor.show(ws.context, messages);
    EXPECT_TRUE(editor.patch(messages));
    EXPECT_TRUE(editor.boxes[0].red);
    EXPECT_TRUE(editor.boxes[1].red);
    editor.show(ws.context, messages);
    EXPECT_FALSE(editor.boxes[0].red);
}

TEST_F(FirmwareEditorTest, LaunchAloneChecksItsFiles) {
    editor.show(ws.context, messages);
    EXPECT_FALSE(editor.launch(ws.context, messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"File *.Sx Not Found,Abort Procedure"});
    messages.clear();
    test::write_file(ws.output(), "image");
    std::filesystem::remove(ws.context.exe_dir / "Torquill.exe");
    EXPECT_FALSE(editor.launch(ws.context, messages));
    EXPECT_EQ(messages.texts,
              std::vector<std::string>{"Torquill.exe Not Found, Procedure Aborted"});
}

TEST_F(FirmwareEditorTest, OpenFirmwareTakesAnotherTemplate) {
    editor.show(ws.context, messages);
    const auto other = ws.dir / "elsewhere" / "Other.Sx";
    std::filesystem::create_directories(other.parent_path());
    test::write_file(other, test::small_template());
    editor.execute_enabled = false;
    editor.open_firmware(ws.context, other);
    EXPECT_EQ(editor.template_file_name, "Other.Sx");
    EXPECT_EQ(editor.output_name, "New_Other.Sx");
    EXPECT_TRUE(editor.execute_enabled);
    EXPECT_TRUE(editor.patch(messages));
    EXPECT_TRUE(std::filesystem::exists(ws.context.project_dir / "New_Other.Sx"));
}

TEST_F(FirmwareEditorTest, OpenFirmwareStartsInTheTemplateFolderWhenThere) {
    EXPECT_EQ(editor.open_firmware_folder(ws.context), ws.context.template_dir);
    std::filesystem::remove_all(ws.context.template_dir);
    EXPECT_EQ(editor.open_firmware_folder(ws.context), ws.context.exe_dir);
}

TEST_F(FirmwareEditorTest, OptionsToggleAndOutputName) {
    editor.toggle_options();
    EXPECT_TRUE(editor.options_shown);
    EXPECT_EQ(editor.options_caption(), "<< Options");
    editor.toggle_options();
    EXPECT_FALSE(editor.options_shown);
    EXPECT_EQ(editor.options_caption(), "Options >>");

    editor.show(ws.context, messages);
    editor.set_output_name("");
    EXPECT_FALSE(editor.patch(messages));
    EXPECT_EQ(messages.texts, std::vector<std::string>{"File New *.Sx Not Found,Abort Procedure"});
}

TEST(FlashWriterParameterTest, QuotedPathPilcrowAndPortIndex) {
    for (int port = 0; port < 8; ++port) {
        EXPECT_EQ(flash_writer_parameter("/p/New_Brax_Traslate.sx", port),
                  "\"/p/New_Brax_Traslate.sx\"\xC2\xB6" + std::to_string(port));
    }
}

// The text reaches the program as one argument, blanks and quotes untouched.
TEST(FlashWriterStartTest, PassesTheTextAsItIs) {
    test::FirmwareWorkspace ws;
    ws.write_flash_writer();
    const std::string text =
        "\"/a b/it's $HOME;x.sx\"\xC2\xB6"
        "7";
    ASSERT_TRUE(start_detached(ws.context.exe_dir / "Torquill.exe", text));
    EXPECT_EQ(ws.wait_for_log(), text);
    EXPECT_FALSE(start_detached(ws.context.exe_dir / "missing", text));
}

}  // namespace
}  // namespace fenwarp
