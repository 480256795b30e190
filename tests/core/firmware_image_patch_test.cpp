#include "core/firmware/image_patch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <thread>

#include "../fixtures/firmware_images.h"
#include "core/error.h"
#include "core/firmware/bank_records.h"
#include "core/sha256.h"

namespace fenwarp {
namespace {

using test::filled;
using test::srec_line;

const std::string header = "S00F000068656C6C6F202020202000003C\r\n";
const std::string end_record = "S804000000FB\r\n";
const std::string not_created = "File New Sx Not Create,Abort Procedure";

using Banks = std::array<bool, 5>;

class ImagePatchTest : public ::testing::Test {
  protected:
    ImagePatchTest() { ws.write_all(); }

    PatchOutcome run(Banks banks = {true, true, false, false, false}) {
        ImagePatch patch{ws.template_file(), ws.context.project_dir, "New_Brax_Traslate.sx",
                         ws.bin(), banks};
        return patch_image(patch, messages, meter);
    }
    std::string records(int bank) const {
        const std::string bytes = test::bank_bytes(bank);
        return bank_records(std::span<const std::uint8_t, 16384>(
                                reinterpret_cast<const std::uint8_t*>(bytes.data()), 16384),
                            0x388000 + 0x10000 * static_cast<std::uint32_t>(bank - 1));
    }
    std::string output() const { return test::read_file(ws.output()); }
    std::vector<std::string> project_files() const {
        return test::FirmwareWorkspace::files_in(ws.context.project_dir);
    }

    test::FirmwareWorkspace ws;
    MessageRecorder messages;
    Progress progress;
    ProgressMeter meter{progress, {}};
};

// Both banks in one pass; the project holds the image and nothing else, no
// "Bin.sx" is written and the template stays as it was.
TEST_F(ImagePatchTest, PatchesBothBanksAndLeavesOnlyTheImage) {
    PatchOutcome outcome = run();
    EXPECT_TRUE(outcome.produced);
    EXPECT_EQ(outcome.no_record, (Banks{}));
    EXPECT_EQ(outcome.patched, (Banks{true, true, false, false, false}));
    EXPECT_TRUE(messages.texts.empty());
    const std::string expected = header + srec_line('1', 0x0000, filled(16, 0x11)) +
                                 srec_line('2', 0x380000, filled(32, 0x22)) + records(1) +
                                 srec_line('2', 0x390000, filled(32, 0x44)) +
                                 srec_line('2', 0x38C000, filled(32, 0x55)) + records(2) +
                                 srec_line('2', 0x3A8000, filled(32, 0x77)) + end_record;
    EXPECT_EQ(output(), expected);
    EXPECT_EQ(outcome.image_sha256.size(), 64u);
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
    EXPECT_EQ(test::FirmwareWorkspace::files_in(ws.bin()),
              (std::vector<std::string>{"bank1.bin", "bank2.bin", "bank3.bin", "bank4.bin",
                                        "bank5.bin"}));
    EXPECT_EQ(test::read_file(ws.template_file()), test::small_template());
}

TEST_F(ImagePatchTest, BankOneMissingFromTheImageIsMarkedAndBankTwoStillPatched) {
    ws.write_template(header + srec_line('2', 0x380000, filled(32, 0x22)) +
                      srec_line('2', 0x398000, filled(32, 0x66)) + end_record);
    PatchOutcome outcome = run();
    EXPECT_TRUE(outcome.produced);
    EXPECT_EQ(outcome.no_record, (Banks{true, false, false, false, false}));
    EXPECT_EQ(output(),
              header + srec_line('2', 0x380000, filled(32, 0x22)) + records(2) + end_record);
}

// Records across a bank edge keep the bytes outside the bank, in records of
// their own type, once their own checksum proved them whole.
TEST_F(ImagePatchTest, RecordsAcrossTheBankEdgesAreCut) {
    std::vector<std::uint8_t> low(32), high(32);
    for (std::uint8_t i = 0; i < 32; ++i) {
        low[i] = i;
        high[i] = static_cast<std::uint8_t>(0x80 + i);
    }
    ws.write_template(header + srec_line('3', 0x387FF0, low) + srec_line('2', 0x38BFF0, high) +
                      end_record);
    EXPECT_TRUE(run({true, false, false, false, false}).produced);
    EXPECT_EQ(output(), header + srec_line('3', 0x387FF0, {low.begin(), low.begin() + 16}) +
                            records(1) + srec_line('2', 0x38C000, {high.begin() + 16, high.end()}) +
                            end_record);
}

// A corrupt byte in a record that would be re-encoded stops the patch, with
// the template line that holds it; an older image stays as it was.
TEST_F(ImagePatchTest, CrossingRecordWithABadChecksumStopsThePatch) {
    test::write_file(ws.output(), "an earlier run's image");
    std::string crossing = srec_line('2', 0x38BFF0, filled(32, 0x10));
    crossing[20] = '3';  // one data digit changed, the checksum left
    ws.write_template(header + srec_line('2', 0x100, filled(4, 1)) + crossing + end_record);
    EXPECT_FALSE(run().produced);
    EXPECT_EQ(messages.texts, std::vector<std::string>{not_created + " (line 3: checksum error)"});
    EXPECT_EQ(output(), "an earlier run's image");
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
}

// Any of the three end records closes the image; without one the patch fails
// aloud and leaves no image behind. Lines after the end record, blank or not,
// are kept and never fail the patch.
TEST_F(ImagePatchTest, EndRecordsAndWhatFollowsThem) {
    const std::string body = header + srec_line('2', 0x388000, filled(32, 1));
    const std::pair<std::string, bool> cases[] = {
        {"S705000000FA\r\n", true},
        {"S804000000FB\r\n", true},
        {"S9030000FC\r\n", true},
        {"S9030000FC\r\n\r\n", true},
        {"S9030000FC\n\nS2zz\r\n  \n", true},
        {"", false},
        {"s9030000FC\r\n", false},
    };
    for (const auto& [last, made] : cases) {
        messages.clear();
        std::filesystem::remove(ws.output());
        ws.write_template(body + last);
        EXPECT_EQ(run({true, false, false, false, false}).produced, made) << last;
        if (made) {
            EXPECT_EQ(output(), header + records(1) + last);
            EXPECT_TRUE(messages.texts.empty()) << last;
        } else {
            EXPECT_EQ(messages.texts,
                      std::vector<std::string>{not_created + " (the image has no end record)"});
            EXPECT_FALSE(std::filesystem::exists(ws.output())) << last;
        }
    }
}

// Before the end record a malformed line stops the patch at its line: blank
// lines, a data record whose byte count or address is not hexadecimal, one
// too short for its address.
TEST_F(ImagePatchTest, MalformedLinesBeforeTheEndStopThePatch) {
    const std::pair<std::string, const char*> lines[] = {
        {"\r\n", "empty line"},
        {"S224ZZ8000" + std::string(64, '0') + "00\r\n", "data record without a readable address"},
        {"S2ZZ388000" + std::string(64, '0') + "00\r\n", "data record without a readable address"},
        {"S2243880\r\n", "data record without a readable address"},
    };
    for (const auto& [bad, reason] : lines) {
        messages.clear();
        ws.write_template(header + bad + end_record);
        EXPECT_FALSE(run().produced) << bad;
        EXPECT_EQ(messages.texts,
                  std::vector<std::string>{not_created + " (line 2: " + reason + ")"})
            << bad;
        EXPECT_TRUE(project_files().empty()) << bad;
    }
}

// A template of nothing but blank lines stops at its first line, after one
// piece was read: the pass holds no index of the whole file.
TEST_F(ImagePatchTest, BlankLinesStopAtTheFirst) {
    std::string blank;
    for (int i = 0; i < (1 << 20); ++i) blank += "\r\n";
    ws.write_template(blank);
    std::vector<long> seen;
    Progress p;
    ProgressMeter m(p, [&](const Progress& now) { seen.push_back(now.value); });
    ImagePatch patch{ws.template_file(),
                     ws.context.project_dir,
                     "New_Brax_Traslate.sx",
                     ws.bin(),
                     {true, true, false, false, false}};
    EXPECT_FALSE(patch_image(patch, messages, m).produced);
    EXPECT_EQ(messages.texts, std::vector<std::string>{not_created + " (line 1: empty line)"});
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[seen.size() - 2], 0);  // nothing counted as read before the stop
}

// Lines that are not data records of a range keep their bytes, line ends
// included; a last line without its end gets CR LF.
TEST_F(ImagePatchTest, KeptLinesKeepTheirBytes) {
    const std::string kept = "S0030000FC\n  odd text\r\ns2243880000000\r\n";
    ws.write_template(kept + srec_line('2', 0x388000, filled(32, 1)) + "S9030000FC");
    EXPECT_TRUE(run({true, false, false, false, false}).produced);
    EXPECT_EQ(output(), kept + records(1) + "S9030000FC\r\n");
}

// With no bank chosen the image is the template, byte for byte.
TEST_F(ImagePatchTest, NoBankChosenCopiesTheTemplate) {
    ws.write_template(test::small_template() + "trailing text without line end");
    EXPECT_TRUE(run({false, false, false, false, false}).produced);
    EXPECT_EQ(output(), test::small_template() + "trailing text without line end");
}

struct MissingCase {
    const char* name;
    void (*damage)(test::FirmwareWorkspace& ws, ImagePatch& patch);
    const char* message;
};

class ImagePatchMissingTest : public ::testing::TestWithParam<MissingCase> {};

// The checks come in this order; each stops the patch before anything is
// written, and nothing waits on a FIFO.
TEST_P(ImagePatchMissingTest, ReportsWhatIsMissing) {
    test::FirmwareWorkspace ws;
    ws.write_all();
    ImagePatch patch{ws.template_file(),
                     ws.context.project_dir,
                     "N.sx",
                     ws.bin(),
                     {true, true, false, false, false}};
    GetParam().damage(ws, patch);
    MessageRecorder messages;
    Progress progress;
    ProgressMeter meter(progress, {});
    EXPECT_FALSE(patch_image(patch, messages, meter).produced);
    EXPECT_EQ(messages.texts, std::vector<std::string>{GetParam().message});
    EXPECT_TRUE(test::FirmwareWorkspace::files_in(ws.context.project_dir).empty());
}

void replace_bank(test::FirmwareWorkspace& ws, int bank, const std::string& bytes) {
    test::write_file(ws.bin() / ("bank" + std::to_string(bank) + ".bin"), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImagePatchMissingTest,
    ::testing::Values(
        MissingCase{"Input", [](auto& ws, auto&) { std::filesystem::remove(ws.template_file()); },
                    "File *.Sx Not Found,Abort Procedure"},
        MissingCase{"InputIsAFifo",
                    [](auto& ws, auto&) {
                        std::filesystem::remove(ws.template_file());
                        mkfifo(ws.template_file().c_str(), 0600);
                    },
                    "File Brax_Traslate.sx is not a regular file,Abort Procedure"},
        MissingCase{"OutputName", [](auto&, auto& patch) { patch.output_name.clear(); },
                    "File New *.Sx Not Found,Abort Procedure"},
        MissingCase{"BankDir", [](auto& ws, auto&) { std::filesystem::remove_all(ws.bin()); },
                    "Directory Bin Not Found,Abort Procedure"},
        MissingCase{"Bank2",
                    [](auto& ws, auto&) { std::filesystem::remove(ws.bin() / "bank2.bin"); },
                    "File bank2.bin Not Found,Abort Procedure"},
        MissingCase{"EmptyBank2", [](auto& ws, auto&) { replace_bank(ws, 2, ""); },
                    "File bank2.bin is not 16384 bytes long,Abort Procedure"},
        MissingCase{"ShortBank1",
                    [](auto& ws, auto&) { replace_bank(ws, 1, std::string(16383, '\1')); },
                    "File bank1.bin is not 16384 bytes long,Abort Procedure"},
        MissingCase{"LongBank1",
                    [](auto& ws, auto&) { replace_bank(ws, 1, std::string(16385, '\1')); },
                    "File bank1.bin is not 16384 bytes long,Abort Procedure"},
        MissingCase{"Bank1IsAFifo",
                    [](auto& ws, auto&) {
                        std::filesystem::remove(ws.bin() / "bank1.bin");
                        mkfifo((ws.bin() / "bank1.bin").c_str(), 0600);
                    },
                    "File bank1.bin is not a regular file,Abort Procedure"},
        MissingCase{"Bank5",
                    [](auto& ws, auto& patch) {
                        patch.banks[4] = true;
                        std::filesystem::remove(ws.bin() / "bank5.bin");
                    },
                    "File bank5.bin Not Found,Abort Procedure"}),
    [](const auto& info) { return std::string(info.param.name); });

// A link or a FIFO at the image's place is refused before a byte is written;
// the file the link points at is untouched.
TEST_F(ImagePatchTest, NoImageThroughALinkOrIntoAFifo) {
    const auto outside = ws.dir / "outside.sx";
    test::write_file(outside, "outside");
    std::filesystem::create_symlink(outside, ws.output());
    EXPECT_THROW(run(), Error);
    EXPECT_EQ(test::read_file(outside), "outside");
    std::filesystem::remove(ws.output());
    ASSERT_EQ(mkfifo(ws.output().c_str(), 0600), 0);
    EXPECT_THROW(run(), Error);
    EXPECT_EQ(project_files(), std::vector<std::string>{});
}

// Two patches of one project at once each write an image of their own and
// replace the image by one rename: the image is always whole and never gone.
TEST_F(ImagePatchTest, TwoPatchesAtOnceLeaveOneWholeImage) {
    std::string expected;
    {
        ASSERT_TRUE(run().produced);
        expected = output();
    }
    std::vector<std::thread> runs;
    std::array<bool, 2> produced{};
    for (std::size_t i = 0; i < produced.size(); ++i) {
        runs.emplace_back([&, i] {
            MessageRecorder own;
            Progress p;
            ProgressMeter m(p, {});
            for (int round = 0; round < 10; ++round) {
                ImagePatch patch{ws.template_file(),
                                 ws.context.project_dir,
                                 "New_Brax_Traslate.sx",
                                 ws.bin(),
                                 {true, true, false, false, false}};
                produced[i] = patch_image(patch, own, m).produced;
            }
        });
    }
    for (std::size_t probe = 0; probe < 200; ++probe) {
        ASSERT_TRUE(std::filesystem::exists(ws.output()));
    }
    for (auto& t : runs) t.join();
    EXPECT_EQ(produced, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(output(), expected);
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
}

// A template long enough to be read in many pieces, patched with bank 1 as
// N.sx, the progress going to `notify`.
class LongTemplatePatch {
  public:
    explicit LongTemplatePatch(std::uint32_t lines) : image(header) {
        ws.write_banks();
        for (std::uint32_t a = 0; a < lines; ++a)
            image += srec_line('2', 0x100000 + 32 * a, filled(32, 9));
        image += srec_line('2', 0x388000, filled(32, 1)) + end_record;
        ws.write_template(image);
    }
    PatchOutcome run(const std::function<void(const Progress&)>& notify) {
        Progress progress;
        ProgressMeter meter(progress, notify);
        ImagePatch patch{ws.template_file(),
                         ws.context.project_dir,
                         "N.sx",
                         ws.bin(),
                         {true, false, false, false, false}};
        return patch_image(patch, messages, meter);
    }
    std::filesystem::path output() const { return ws.context.project_dir / "N.sx"; }

    test::FirmwareWorkspace ws;
    std::string image;
    MessageRecorder messages;
};

// The view hears of the progress as the template is read, from 0 to its size;
// the digests, taken on their own threads piece by piece, are those of the
// whole template and the whole image.
TEST(ImagePatchProgressTest, RisesThroughThePassAndDigestsBothStreams) {
    LongTemplatePatch t(60000);
    std::vector<Progress> seen;
    const PatchOutcome outcome = t.run([&](const Progress& p) { seen.push_back(p); });
    ASSERT_TRUE(outcome.produced);
    EXPECT_EQ(outcome.template_sha256, sha256_hex(t.image));
    EXPECT_EQ(outcome.image_sha256, sha256_hex(test::read_file(t.output())));
    const long maximum = static_cast<long>(t.image.size());
    ASSERT_GT(seen.size(), 3u);
    EXPECT_EQ(seen.front().value, 0);
    EXPECT_EQ(seen.back().value, maximum);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_LE(seen[i - 1].value, seen[i].value);
        EXPECT_EQ(seen[i].maximum, maximum);
    }
}

// A template written while the patch reads it makes no image: its bytes
// would be of neither version.
TEST(ImagePatchProgressTest, ATemplateWrittenWhileReadMakesNoImage) {
    LongTemplatePatch t(20000);
    bool rewritten = false;
    const PatchOutcome outcome = t.run([&](const Progress& p) {
        if (rewritten || p.value == 0) return;
        rewritten = true;
        t.ws.write_template(t.image + "S5030000FC\r\n");
    });
    EXPECT_FALSE(outcome.produced);
    EXPECT_TRUE(rewritten);
    EXPECT_EQ(t.messages.texts, std::vector<std::string>{
                                    not_created + " (the template was changed while it was read)"});
    EXPECT_FALSE(std::filesystem::exists(t.output()));
}

}  // namespace
}  // namespace fenwarp
