#include <gtest/gtest.h>

#include <functional>

#include "../fixtures/firmware_images.h"
#include "core/banks/bank_bytes.h"
#include "core/banks/bank_compiler.h"
#include "core/banks/bank_decoder.h"
#include "core/banks/bank_diff.h"
#include "core/banks/decode_notes.h"
#include "core/banks/decoded_documents.h"
#include "core/banks/decoded_listing.h"
#include "core/banks/update_device.h"
#include "core/error.h"
#include "core/firmware/bank_source.h"
#include "core/firmware/image_patch.h"
#include "generated_project.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;

BankImages compiled(const fs::path& project) {
    BankImages images;
    MessageRecorder messages;
    EXPECT_TRUE(compile_banks(project, images, messages).complete);
    EXPECT_TRUE(messages.texts.empty()) << messages.texts.front();
    return images;
}

// Decoding a compile and compiling the decoded documents gives the same five
// banks, byte for byte: empty tables, both groups mixed in any document
// order, records the compile leaves out, values in every text form, and
// banks filled to the last record that fits.
class DecodeRoundTripTest : public ::testing::TestWithParam<test::TableSizes> {};

TEST_P(DecodeRoundTripTest, DecodedDocumentsCompileToTheSameBanks) {
    test::BankProject project;
    test::write_generated_project(project.path(), GetParam());
    const BankImages original = compiled(project.path());

    const DecodedBanks banks = decode_banks(original);
    EXPECT_TRUE(decode_notes(banks).empty()) << decode_notes(banks).front();
    test::BankProject decoded;
    const auto written = write_decoded_documents(banks, decoded.path());
    EXPECT_EQ(written.size(), 6u);
    const BankImages again = compiled(decoded.path());
    for (int k = 1; k <= 5; ++k) EXPECT_TRUE(original.bank(k) == again.bank(k)) << "bank " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DecodeRoundTripTest,
    ::testing::Values(test::TableSizes{0, 0, 0, 0, 0}, test::TableSizes{1, 1, 1, 1, 1},
                      test::TableSizes{120, 60, 40, 25, 70, true},
                      // bank 1 full of SDO records and stored PDOs; bank 2 of PDOs
                      test::TableSizes{1816, 8, 0, 0, 2714},
                      // bank 1 full of stored PDOs; bank 2 of EMCYs and of words
                      test::TableSizes{0, 3276, 904, 0, 2}, test::TableSizes{1820, 0, 0, 307, 2}));

// The decoded records carry their field names and values; the directory and
// parameters come back as the compile wrote them.
TEST(BankDecodeTest, ListsParametersDirectoryAndRecordsByName) {
    test::BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("17", "0x2001"), test::sdo_row("16", "0x2000")});
    project.table("rpdodef", {test::pdo_row("0x181", "2")});
    for (const char* empty : {"sdopdo", "emcydef", "emcyword"}) project.table(empty, {});
    const DecodedBanks banks = decode_banks(compiled(project.path()));
    const std::string listing = decoded_listing(banks);
    EXPECT_NE(listing.find("  BoudB 250\n"), std::string::npos);
    EXPECT_NE(listing.find("  sdo.xml (bank 1): start 0, first group 1, second group 1 at 9\n"),
              std::string::npos);
    EXPECT_NE(listing.find("first group:\n  1: conf=16 IndexA=0x2000 SubindexA=1 devIDB=5 "
                           "IndexB=0x6000 SubindexB=2 nbyteB=2\n  second group:\n  2: conf=17"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("rpdodef.xml: 1 record\n  first group:\n  1: cobid=0x0181 "
                           "id_dev_orig=3 en_bypass=2 posind=1 n_tpdo=2\n"),
              std::string::npos);
}

struct BadDirectory {
    const char* what;
    std::size_t offset;  // bank 2 offset of the 16-bit value
    std::uint16_t value;
    const char* message;
};

class BankDecodeBadDirectoryTest : public ::testing::TestWithParam<BadDirectory> {};

// A directory that points outside a table's room or counts more records than
// the bank holds is refused, naming the table, and nothing past the bank is read.
TEST_P(BankDecodeBadDirectoryTest, IsRefusedNamingTheTable) {
    BankImages images;
    put_u16(images.bank(2), GetParam().offset, GetParam().value);
    try {
        decode_banks(images);
        FAIL() << GetParam().what;
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BankDecodeBadDirectoryTest,
    ::testing::Values(
        BadDirectory{"SDO start past bank 1", 16297, 16385,
                     "sdo.xml places its first group at offset 16385, outside bank 1"},
        BadDirectory{"SDO count past bank 1", 16299, 1821,
                     "sdo.xml counts 1821 records in its first group at offset 0, but bank 1 has "
                     "room for 1820"},
        BadDirectory{"stored PDO count, all bits", 16335, 0xFFFF, "sdopdo.xml counts 65535"},
        BadDirectory{"PDO second group into the parameter block", 16327, 2715,
                     "rpdodef.xml counts 2715 records in its second group"},
        BadDirectory{"EMCY word group starting in the parameter block", 16317, 16300,
                     "emcyword.xml places its second group at offset 16300, outside bank 2"}));

struct Spoiled {
    const char* what;
    std::size_t bank, offset;  // where one byte is changed
    std::uint8_t value;
    std::vector<std::string> notes;
};

class DecodeNotesTest : public ::testing::TestWithParam<Spoiled> {};

// Banks no compile made are read as they stand, with a note for each thing
// a compile of the decoded documents would give otherwise.
TEST_P(DecodeNotesTest, SayWhereTheDocumentsWouldNotGiveTheseBanks) {
    test::BankProject project;
    project.write("pargen.xml", test::default_pargen());
    project.table("sdo", {test::sdo_row("16", "0x2000"), test::sdo_row("17", "0x2001")});
    for (const char* empty : {"sdopdo", "emcydef", "emcyword", "rpdodef"}) {
        project.table(empty, {});
    }
    BankImages images = compiled(project.path());
    images.bank(static_cast<int>(GetParam().bank))[GetParam().offset] = GetParam().value;
    EXPECT_EQ(decode_notes(decode_banks(images)), GetParam().notes) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeNotesTest,
    ::testing::Values(
        Spoiled{"direction bit",
                1,
                0,
                17,
                {"sdo.xml record 1 lies in the first group, but its conf names the other: a "
                 "compile moves it"}},
        Spoiled{"key", 1, 1, 0, {"sdo.xml record 1 has IndexA 0: a compile leaves it out"}},
        // The second group read one byte late: its conf is IndexA's high byte.
        Spoiled{"gap between the groups",
                2,
                16302,
                10,
                {"sdo.xml is not where a compile puts it (start 0, second group right after "
                 "the first)",
                 "sdo.xml record 2 lies in the second group, but its conf names the other: a "
                 "compile moves it"}}));

struct BadSource {
    const char* what;
    // Spoils the bin folder or writes an image; gives the path to read.
    std::function<fs::path(const fs::path& bin)> spoil;
    const char* message;
};

class BankSourceTest : public ::testing::TestWithParam<BadSource> {};

// Banks that are not whole are refused, naming the file and what is wrong.
TEST_P(BankSourceTest, IncompleteBanksAreRefused) {
    test::BankProject project;
    const fs::path bin = project.path() / "bin";
    for (int k = 1; k <= 5; ++k) {
        test::write_file(bin / ("bank" + std::to_string(k) + ".bin"), std::string(16384, '\0'));
    }
    try {
        read_bank_source(GetParam().spoil(bin));
        FAIL() << GetParam().what;
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

// An image whose bank 2 is whole, with `records` before it.
fs::path image(const fs::path& bin, const std::string& records, bool end = true) {
    std::string text = records;
    for (std::uint32_t a = 0x398000; a < 0x39C000; a += 32) {
        text += test::srec_line('2', a, test::filled(32, 0));
    }
    if (end) text += "S804000000FB\r\n";
    test::write_file(bin / "image.sx", text);
    return bin / "image.sx";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BankSourceTest,
    ::testing::Values(
        BadSource{"short bank file",
                  [](const fs::path& bin) {
                      test::write_file(bin / "bank2.bin", std::string(100, '\0'));
                      return bin;
                  },
                  "bank2.bin: only 100 bytes; a bank file holds exactly 16384"},
        BadSource{"long bank file",
                  [](const fs::path& bin) {
                      test::write_file(bin / "bank1.bin", std::string(16385, '\0'));
                      return bin;
                  },
                  "bank1.bin: more than 16384 bytes"},
        BadSource{"missing bank file",
                  [](const fs::path& bin) {
                      fs::remove(bin / "bank1.bin");
                      return bin;
                  },
                  "bank1.bin: not found"},
        BadSource{"image without bank 1", [](const fs::path& bin) { return image(bin, ""); },
                  "cover 0 of the 16384 bytes of bank 1"},
        BadSource{"image with a bad checksum in a bank",
                  [](const fs::path& bin) {
                      std::string line = test::srec_line('2', 0x388000, test::filled(32, 0));
                      line[line.size() - 3] ^= 1;
                      return image(bin, line);
                  },
                  "image.sx: Image line 1: checksum does not match"},
        BadSource{"image cut short", [](const fs::path& bin) { return image(bin, "", false); },
                  "no end record"}));

}  // namespace
}  // namespace fenwarp
