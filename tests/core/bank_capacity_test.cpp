#include <gtest/gtest.h>

#include "bank_test_project.h"
#include "core/banks/bank_files.h"
#include "core/banks/update_device.h"

namespace fenwarp {
namespace {

struct Load {
    int sdo, stored, emcy, words, pdos;
    const char* message;  // nullptr: the tables fit
};

std::vector<std::string> rows(int count, const std::string& row) {
    return std::vector<std::string>(static_cast<std::size_t>(count), row);
}

class BankCapacityTest : public ::testing::TestWithParam<Load> {};

// Tables that pass bank 1's end or the parameter block stop the compile: they
// would be cut or overwrite the directory the gateway reads.
TEST_P(BankCapacityTest, TablesMustFitTheirBank) {
    const Load& c = GetParam();
    test::BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", rows(c.sdo, test::sdo_row("0", "0x2000")));
    project.table("sdopdo", rows(c.stored, test::stored_row("0x2100", "0")));
    project.table("emcydef", rows(c.emcy, test::emcy_row("1", "0")));
    project.table("emcyword", rows(c.words, test::word_row("0x2200", "1")));
    project.table("rpdodef", rows(c.pdos, test::pdo_row("0x181", "2")));
    BankImages images;
    MessageRecorder messages;
    const bool built = update_device(project.path(), images, messages, CheckAnswer::UpdateAnyway)
                           .every_file_written();

    EXPECT_EQ(built, c.message == nullptr);
    EXPECT_EQ(std::filesystem::exists(bank_file_path(project.path(), 1)), built);
    EXPECT_EQ(std::filesystem::exists(bank_listing_path(project.path())), built);
    if (c.message == nullptr) {
        EXPECT_TRUE(messages.texts.empty());
    } else {
        EXPECT_EQ(messages.texts, std::vector<std::string>{c.message});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bank, BankCapacityTest,
    ::testing::Values(
        // bank 1 exactly full, then one byte over
        Load{1816, 8, 1, 1, 1, nullptr},
        Load{1820, 1, 1, 1, 1,
             "Bank 1 too small: the tables need 16385 bytes, 16384 bytes available"},
        // bank 2 up to the parameter block, then past it
        Load{1, 1, 300, 100, 930, nullptr}, Load{1, 1, 0, 0, 2714, nullptr},
        Load{1, 1, 1, 0, 2712,
             "Bank 2 too small: the tables need 16290 bytes, 16284 bytes available"},
        Load{1, 1, 905, 0, 0,
             "Bank 2 too small: the tables need 16290 bytes, 16284 bytes available"}));

}  // namespace
}  // namespace fenwarp
