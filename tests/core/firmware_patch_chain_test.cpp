#include "core/firmware/patch_chain.h"

#include <gtest/gtest.h>

#include "../fixtures/firmware_images.h"
#include "core/firmware/bank_records.h"

namespace fenwarp {
namespace {

using test::filled;
using test::srec_line;

const std::string header = "S00F000068656C6C6F202020202000003C\r\n";
const std::string end_record = "S804000000FB\r\n";

class PatchChainTest : public ::testing::Test {
  protected:
    PatchChainTest() { ws.write_all(); }

    ChainOutcome run(std::array<bool, 5> banks = {true, true, false, false, false}) {
        PatchChain chain{ws.template_file(), ws.context.project_dir, "New_Brax_Traslate.sx",
                         ws.bin(), banks};
        return patch_chain(chain, messages, meter);
    }
    std::string records(int bank) const {
        return bank_records(ws.bin() / ("bank" + std::to_string(bank) + ".bin"),
                            0x388000 + 0x10000 * static_cast<std::uint32_t>(bank - 1));
    }
    std::vector<std::string> project_files() const {
        return test::FirmwareWorkspace::files_in(ws.context.project_dir);
    }

    test::FirmwareWorkspace ws;
    MessageRecorder messages;
    Progress progress;
    ProgressMeter meter{progress, {}};
};

TEST_F(PatchChainTest, PatchesBothBanksAndLeavesOnlyTheOutput) {
    ChainOutcome outcome = run();
    EXPECT_TRUE(outcome.produced);
    EXPECT_EQ(outcome.no_record, (std::array<bool, 5>{}));
    EXPECT_TRUE(messages.texts.empty());
    const std::string expected = header + srec_line('1', 0x0000, filled(16, 0x11)) +
                                 srec_line('2', 0x380000, filled(32, 0x22)) + records(1) +
                                 srec_line('2', 0x390000, filled(32, 0x44)) +
                                 srec_line('2', 0x38C000, filled(32, 0x55)) + records(2) +
                                 srec_line('2', 0x3A8000, filled(32, 0x77)) + end_record;
    EXPECT_EQ(test::read_file(ws.output()), expected);
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
    EXPECT_EQ(test::FirmwareWorkspace::files_in(ws.bin()),
              (std::vector<std::string>{"bank1.bin", "bank2.bin", "bank3.bin", "bank4.bin",
                                        "bank5.bin"}));
    EXPECT_EQ(test::read_file(ws.template_file()), test::small_template());
}

TEST_F(PatchChainTest, BankOneMissingFromTheImageIsMarkedAndBankTwoStillPatched) {
    const std::string image = header + srec_line('2', 0x380000, filled(32, 0x22)) +
                              srec_line('2', 0x398000, filled(32, 0x66)) + end_record;
    ws.write_template(image);
    ChainOutcome outcome = run();
    EXPECT_TRUE(outcome.produced);
    EXPECT_EQ(outcome.no_record, (std::array<bool, 5>{true, false, false, false, false}));
    EXPECT_EQ(test::read_file(ws.output()),
              header + srec_line('2', 0x380000, filled(32, 0x22)) + records(2) + end_record);
}

TEST_F(PatchChainTest, ImageWithoutEndRecordStopsAtTheFirstStep) {
    ws.write_template(header + srec_line('2', 0x388000, filled(32, 1)));
    ChainOutcome outcome = run();
    EXPECT_FALSE(outcome.produced);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"File New Sx Not Create,Abort Procedure"});
    EXPECT_TRUE(project_files().empty());
}

TEST_F(PatchChainTest, ProjectWithoutBinFolderProducesNothing) {
    std::filesystem::remove_all(ws.bin());
    ChainOutcome outcome = run();
    EXPECT_FALSE(outcome.produced);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Directory Bin Not Found,Abort Procedure"});
    EXPECT_TRUE(project_files().empty());
}

// A failed later step leaves no intermediate image; an output of an earlier
// run is not taken for this run's.
TEST_F(PatchChainTest, FailedSecondStepCleansUp) {
    test::write_file(ws.output(), "an earlier run's image");
    std::filesystem::remove(ws.bin() / "bank2.bin");
    ChainOutcome outcome = run();
    EXPECT_FALSE(outcome.produced);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"File bank2.bin Not Found,Abort Procedure"});
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
}

// Banks left out pass the image on unchanged; a skipped bank 1 starts from
// a copy of the template, which stays where it is.
TEST_F(PatchChainTest, BanksLeftOutPassThrough) {
    ChainOutcome outcome = run({false, true, false, false, false});
    EXPECT_TRUE(outcome.produced);
    const std::string text = test::read_file(ws.output());
    EXPECT_NE(text.find(srec_line('2', 0x388000, filled(32, 0x33))), std::string::npos);
    EXPECT_NE(text.find(records(2)), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(ws.template_file()));

    outcome = run({false, false, false, false, false});
    EXPECT_TRUE(outcome.produced);
    EXPECT_EQ(test::read_file(ws.output()), test::small_template());
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
}

TEST_F(PatchChainTest, AllFiveBanks) {
    ChainOutcome outcome = run({true, true, true, true, true});
    EXPECT_TRUE(outcome.produced);
    EXPECT_EQ(outcome.no_record, (std::array<bool, 5>{false, false, false, true, true}));
    const std::string text = test::read_file(ws.output());
    for (int k = 1; k <= 3; ++k) EXPECT_NE(text.find(records(k)), std::string::npos) << k;
    EXPECT_EQ(project_files(), std::vector<std::string>{"New_Brax_Traslate.sx"});
}

TEST(IntermediateNameTest, DegreeSignsAroundTheStep) {
    EXPECT_TRUE(intermediate_name(1).u8string() == u8"\u00B0B1\u00B0.sx");
    EXPECT_EQ(intermediate_name(5).string(),
              "\xC2\xB0"
              "B5\xC2\xB0.sx");
}

}  // namespace
}  // namespace fenwarp
