#include "core/banks/bank_diff.h"

#include <gtest/gtest.h>

#include "../fixtures/firmware_images.h"
#include "core/banks/bank_compiler.h"
#include "core/banks/update_device.h"
#include "core/firmware/bank_source.h"
#include "core/firmware/image_patch.h"
#include "generated_project.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;

DecodedBanks compiled(const fs::path& project) {
    BankImages images;
    MessageRecorder messages;
    EXPECT_TRUE(compile_banks(project, images, messages).complete);
    return decode_banks(images);
}

// A project, its bank files and its patched image hold the same configuration.
TEST(BankDiffTest, ProjectEqualsItsOwnBankFilesAndPatchedImage) {
    test::FirmwareWorkspace ws;
    const fs::path project = ws.context.project_dir;
    test::write_generated_project(project, {300, 200, 100, 50, 400, true});
    BankImages images;
    MessageRecorder messages;
    ASSERT_TRUE(
        update_device(project, images, messages, CheckAnswer::UpdateAnyway).every_file_written());
    ws.write_template();
    Progress progress;
    ProgressMeter meter{progress, {}};
    ASSERT_TRUE(patch_image({ws.template_file(),
                             project,
                             "New_Brax_Traslate.sx",
                             ws.bin(),
                             {true, true, false, false, false}},
                            messages, meter)
                    .produced);

    const DecodedBanks from_project = compiled(project);
    for (const fs::path& source : {ws.bin(), ws.output()}) {
        const BanksDiff diff = diff_banks(from_project, decode_banks(read_bank_source(source)));
        EXPECT_TRUE(diff.equal()) << source << "\n" << diff_text(diff);
    }
}

using Rows = std::vector<std::string>;

std::string sdo(const std::string& index_a, const std::string& index_b = "0x6000",
                const std::string& conf = "16") {
    return test::row({{"conf", conf},
                      {"IndexA", index_a},
                      {"SubindexA", "1"},
                      {"devIDB", "5"},
                      {"IndexB", index_b},
                      {"SubindexB", "2"},
                      {"nbyteB", "2"},
                      {"mnemonico", "m"}});
}

const Rows base_rows = {sdo("0x2000"), sdo("0x2001"), sdo("0x2002")};

struct Edit {
    const char* what;
    Rows sdo_rows;
    std::string pargen;
    std::string expected;  // diff_text
};

class BankDiffEditTest : public ::testing::TestWithParam<Edit> {};

// Project A against an edited copy B, at the level of compiled values.
TEST_P(BankDiffEditTest, ReportsWhatTheBanksHoldDifferently) {
    test::BankProject a;
    a.write("pargen.xml", test::default_pargen());
    a.table("sdo", base_rows);
    test::BankProject b;
    b.write("pargen.xml", GetParam().pargen.empty() ? test::default_pargen() : GetParam().pargen);
    b.table("sdo", GetParam().sdo_rows);
    EXPECT_EQ(diff_text(diff_banks(compiled(a.path()), compiled(b.path()))), GetParam().expected)
        << GetParam().what;
}

const std::string same = "No difference: the same parameter block and the same records.\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, BankDiffEditTest,
    ::testing::Values(
        Edit{"nothing", base_rows, "", same},
        Edit{"the same values written otherwise, and a record the compile leaves out",
             {sdo("8192"), sdo(" 0x2001 "), sdo("0"), sdo("$2002", "24576")},
             "",
             same},
        Edit{"one cell",
             {sdo("0x2000"), sdo("0x2001", "0x6001"), sdo("0x2002")},
             "",
             "sdo.xml:\n  record 2 changed: IndexB 0x6000 -> 0x6001\n"
             "0 parameter(s) changed; records: 0 added, 0 removed, 1 changed (1 field(s))\n"},
        Edit{"the direction of a record, which moves it to the other group",
             {sdo("0x2000"), sdo("0x2001", "0x6000", "17"), sdo("0x2002")},
             "",
             "sdo.xml:\n  record 3 (record 2 in A) changed: conf 16 -> 17\n"
             "0 parameter(s) changed; records: 0 added, 0 removed, 1 changed (1 field(s))\n"},
        Edit{"a record put elsewhere",
             {sdo("0x2001"), sdo("0x2002"), sdo("0x2000")},
             "",
             "sdo.xml:\n  record 3 (record 1 in A) moved\n"
             "0 parameter(s) changed; records: 0 added, 0 removed, 1 changed (0 field(s))\n"},
        Edit{"a record inserted",
             {sdo("0x2000"), sdo("0x3000"), sdo("0x2001"), sdo("0x2002")},
             "",
             "sdo.xml:\n  record 2 added: conf=16 IndexA=0x3000 SubindexA=1 devIDB=5 "
             "IndexB=0x6000 SubindexB=2 nbyteB=2\n"
             "0 parameter(s) changed; records: 1 added, 0 removed, 0 changed (0 field(s))\n"},
        Edit{"a record removed, another changed",
             {sdo("0x2001"), sdo("0x2003")},
             "",
             "sdo.xml:\n  record 1 removed: conf=16 IndexA=0x2000 SubindexA=1 devIDB=5 "
             "IndexB=0x6000 SubindexB=2 nbyteB=2\n"
             "  record 2 (record 3 in A) changed: IndexA 0x2002 -> 0x2003\n"
             "0 parameter(s) changed; records: 0 added, 1 removed, 1 changed (1 field(s))\n"},
        Edit{"a parameter", base_rows,
             "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>500</BoudB>"
             "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
             "<ser>0</ser><devid>0</devid></ParametriGenerali>",
             "pargen.xml:\n  BoudB 250 -> 500\n"
             "1 parameter(s) changed; records: 0 added, 0 removed, 0 changed (0 field(s))\n"}));

}  // namespace
}  // namespace fenwarp
