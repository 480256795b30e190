#include "core/firmware/patch_step.h"

#include <gtest/gtest.h>

#include "../fixtures/firmware_images.h"
#include "core/firmware/bank_records.h"

namespace fenwarp {
namespace {

using test::filled;
using test::srec_line;

constexpr const char* not_created = "File New Sx Not Create,Abort Procedure";

const std::string header = "S00F000068656C6C6F202020202000003C\r\n";
const std::string end_record = "S804000000FB\r\n";

class PatchStepTest : public ::testing::Test {
  protected:
    PatchStepTest() { ws.write_all(); }

    StepResult run(int bank) {
        PatchStep step{bank, ws.template_file(), out(), ws.bin(), "New_Brax_Traslate.sx"};
        return patch_step(step, messages, meter);
    }
    std::filesystem::path out() const { return ws.context.project_dir / "out.sx"; }
    std::string records(int bank) const {
        return bank_records(ws.bin() / ("bank" + std::to_string(bank) + ".bin"),
                            0x388000 + 0x10000 * static_cast<std::uint32_t>(bank - 1));
    }

    test::FirmwareWorkspace ws;
    MessageRecorder messages;
    Progress progress;
    ProgressMeter meter{progress, {}};
};

TEST_F(PatchStepTest, BankOneTakesThePlaceOfItsFirstRecord) {
    EXPECT_EQ(run(1), StepResult::Written);
    const std::string expected =
        header + srec_line('1', 0x0000, filled(16, 0x11)) +
        srec_line('2', 0x380000, filled(32, 0x22)) + records(1) +
        srec_line('2', 0x390000, filled(32, 0x44)) + srec_line('2', 0x38C000, filled(32, 0x55)) +
        srec_line('2', 0x398000, filled(32, 0x66)) + srec_line('3', 0x0039A000, filled(32, 0x67)) +
        srec_line('2', 0x3A8000, filled(32, 0x77)) + end_record;
    EXPECT_EQ(test::read_file(out()), expected);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FALSE(std::filesystem::exists(ws.bin() / "Bin.sx"));
}

// The S3 record of bank 2's range goes as well: no old bank byte survives.
TEST_F(PatchStepTest, BankTwoReplacesItsS2AndS3Records) {
    EXPECT_EQ(run(2), StepResult::Written);
    const std::string text = test::read_file(out());
    EXPECT_NE(text.find(records(2)), std::string::npos);
    EXPECT_EQ(text.find(srec_line('2', 0x398000, filled(32, 0x66))), std::string::npos);
    EXPECT_EQ(text.find(srec_line('3', 0x0039A000, filled(32, 0x67))), std::string::npos);
    EXPECT_NE(text.find(srec_line('2', 0x388000, filled(32, 0x33))), std::string::npos);
}

// Records across a bank edge keep the bytes outside the bank, in records of
// their own type; the bank stands where the first of them stood.
TEST_F(PatchStepTest, RecordsAcrossTheBankEdgesAreCut) {
    std::vector<std::uint8_t> low(32), high(32);
    for (std::uint8_t i = 0; i < 32; ++i) {
        low[i] = i;
        high[i] = static_cast<std::uint8_t>(0x80 + i);
    }
    ws.write_template(header + srec_line('3', 0x387FF0, low) + srec_line('2', 0x38BFF0, high) +
                      end_record);
    EXPECT_EQ(run(1), StepResult::Written);
    EXPECT_EQ(test::read_file(out()),
              header + srec_line('3', 0x387FF0, {low.begin(), low.begin() + 16}) + records(1) +
                  srec_line('2', 0x38C000, {high.begin() + 16, high.end()}) + end_record);
}

TEST_F(PatchStepTest, BankWithoutRecordsLeavesTheImageAsItIs) {
    EXPECT_EQ(run(4), StepResult::NoRecord);
    EXPECT_EQ(test::read_file(out()), test::small_template());
    EXPECT_TRUE(messages.texts.empty());
}

// Any of the three end records closes the image; without one the step fails
// aloud and leaves no image behind.
TEST_F(PatchStepTest, EndRecords) {
    const std::string body = header + srec_line('2', 0x388000, filled(32, 1));
    const std::pair<std::string, StepResult> cases[] = {
        {"S705000000FA\r\n", StepResult::Written}, {"S804000000FB\r\n", StepResult::Written},
        {"S9030000FC\r\n", StepResult::Written},   {"", StepResult::Failed},
        {"s9030000FC\r\n", StepResult::Failed},
    };
    for (const auto& [last, result] : cases) {
        messages.clear();
        ws.write_template(body + last);
        EXPECT_EQ(run(1), result) << last;
        if (result == StepResult::Failed) {
            EXPECT_EQ(messages.texts, std::vector<std::string>{not_created}) << last;
            EXPECT_FALSE(std::filesystem::exists(out())) << last;
        } else {
            EXPECT_EQ(test::read_file(out()), header + records(1) + last);
        }
    }
}

// An end record before the bank's records decides: the loader stops there.
TEST_F(PatchStepTest, RecordsAfterTheLastEndRecordDoNotCount) {
    ws.write_template(header + end_record + srec_line('2', 0x388000, filled(32, 1)));
    EXPECT_EQ(run(1), StepResult::NoRecord);
    EXPECT_EQ(test::read_file(out()), header + end_record + records(1));
}

TEST_F(PatchStepTest, MalformedLinesFailTheStep) {
    const std::string lines[] = {
        "\r\n",
        "S224ZZ8000" + std::string(64, '0') + "00\r\n",
        "S2243880\r\n",
        "S3250039A0\r\n",
    };
    for (const std::string& bad : lines) {
        messages.clear();
        ws.write_template(header + bad + end_record);
        EXPECT_EQ(run(1), StepResult::Failed) << bad;
        EXPECT_EQ(messages.texts, std::vector<std::string>{not_created}) << bad;
        EXPECT_FALSE(std::filesystem::exists(out()));
        EXPECT_FALSE(std::filesystem::exists(ws.bin() / "Bin.sx"));
    }
}

// Lines that are not data records of the range keep their bytes, line ends
// included; a last line without its end gets CR LF.
TEST_F(PatchStepTest, KeptLinesKeepTheirBytes) {
    const std::string kept = "S0030000FC\n  odd text\r\ns2243880000000\r\n";
    ws.write_template(kept + srec_line('2', 0x388000, filled(32, 1)) + "S9030000FC");
    EXPECT_EQ(run(1), StepResult::Written);
    EXPECT_EQ(test::read_file(out()), kept + records(1) + "S9030000FC\r\n");
}

struct MissingCase {
    const char* name;
    void (*damage)(test::FirmwareWorkspace& ws, PatchStep& step);
    const char* message;
};

class PatchStepMissingTest : public ::testing::TestWithParam<MissingCase> {};

// The checks come in this order, each stops the step before anything is written.
TEST_P(PatchStepMissingTest, ReportsWhatIsMissing) {
    test::FirmwareWorkspace ws;
    ws.write_all();
    PatchStep step{2, ws.template_file(), ws.context.project_dir / "out.sx", ws.bin(), "N.sx"};
    GetParam().damage(ws, step);
    MessageRecorder messages;
    Progress progress;
    ProgressMeter meter(progress, {});
    EXPECT_EQ(patch_step(step, messages, meter), StepResult::Failed);
    EXPECT_EQ(messages.texts, std::vector<std::string>{GetParam().message});
    EXPECT_FALSE(std::filesystem::exists(step.output));
    EXPECT_FALSE(std::filesystem::exists(ws.bin() / "Bin.sx"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PatchStepMissingTest,
    ::testing::Values(
        MissingCase{"Input", [](auto& ws, auto&) { std::filesystem::remove(ws.template_file()); },
                    "File *.Sx Not Found,Abort Procedure"},
        MissingCase{"InputAndName",
                    [](auto&, auto& step) {
                        step.input = "nothing.sx";
                        step.output_name.clear();
                    },
                    "File *.Sx Not Found,Abort Procedure"},
        MissingCase{"OutputName", [](auto&, auto& step) { step.output_name.clear(); },
                    "File New *.Sx Not Found,Abort Procedure"},
        MissingCase{"BankDir", [](auto& ws, auto&) { std::filesystem::remove_all(ws.bin()); },
                    "Directory Bin Not Found,Abort Procedure"},
        MissingCase{"EmptyBankDir", [](auto&, auto& step) { step.bank_dir.clear(); },
                    "Directory Bin Not Found,Abort Procedure"},
        MissingCase{"Bank2",
                    [](auto& ws, auto&) { std::filesystem::remove(ws.bin() / "bank2.bin"); },
                    "File bank2.bin Not Found,Abort Procedure"},
        MissingCase{"Bank5",
                    [](auto& ws, auto& step) {
                        step.bank = 5;
                        std::filesystem::remove(ws.bin() / "bank5.bin");
                    },
                    "File bank5.bin Not Found,Abort Procedure"}),
    [](const auto& info) { return std::string(info.param.name); });

// The view hears of the progress every few hundred lines, from 0 to a
// maximum of the image's lines plus the bank's 512 records.
TEST(PatchStepProgressTest, RisesToLinesPlusRecords) {
    test::FirmwareWorkspace ws;
    ws.write_banks();
    std::string image = header;
    for (std::uint32_t a = 0; a < 3000; ++a)
        image += srec_line('2', 0x100000 + 32 * a, filled(32, 9));
    image += srec_line('2', 0x388000, filled(32, 1)) + end_record;
    ws.write_template(image);
    std::vector<Progress> seen;
    Progress progress;
    ProgressMeter meter(progress, [&](const Progress& p) { seen.push_back(p); });
    MessageRecorder messages;
    PatchStep step{1, ws.template_file(), ws.context.project_dir / "out.sx", ws.bin(), "N.sx"};
    ASSERT_EQ(patch_step(step, messages, meter), StepResult::Written);

    const long maximum = 3003 + 512;
    ASSERT_GT(seen.size(), 10u);
    EXPECT_EQ(seen.front().value, 0);
    EXPECT_EQ(seen.back().value, maximum);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_LE(seen[i - 1].value, seen[i].value);
        EXPECT_EQ(seen[i].maximum, maximum);
    }
}

}  // namespace
}  // namespace fenwarp
