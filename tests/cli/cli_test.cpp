// fenwarp-cli as a script runs it: exit status, what it prints, what it leaves.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "fixtures/firmware_images.h"
#include "fixtures/workbook_fixtures.h"
#include "test_support.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;

const char* pargen_xml =
    "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
    "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity><ser>0</ser>"
    "<devid>0</devid></ParametriGenerali>";
const char* sdo_xml =
    "<sdo><row conf=\"16\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"0x6000\" "
    "SubindexB=\"2\" nbyteB=\"2\" mnemonico=\"speed\"/></sdo>";

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// A program folder holding a copy of fenwarp-cli, MASTER/ and PROJECTS/P.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::copy_file(FENWARP_CLI, dir / "fenwarp-cli");
        fs::create_directories(project / "bin");
        fs::create_directories(dir / "MASTER");
    }

    CliRun run(const std::string& arguments) {
        const std::string command = "'" + (dir / "fenwarp-cli").string() + "' " + arguments +
                                    " >'" + (dir / "out").string() + "' 2>'" +
                                    (dir / "err").string() + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, test::read_file(dir / "out"),
                test::read_file(dir / "err")};
    }

    void write_documents() {
        test::write_file(project / "pargen.xml", pargen_xml);
        test::write_file(project / "sdo.xml", sdo_xml);
        for (const char* name : {"rpdodef", "sdopdo", "emcydef", "emcyword"}) {
            test::write_file(project / (std::string(name) + ".xml"),
                             "<" + std::string(name) + "/>");
        }
    }

    // The stand-in flash writer: records the parameter text it was given.
    void install_flash_writer() {
        test::write_file(dir / "Torquill.exe",
                         "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/received.tmp\"\n"
                         "mv \"$(dirname \"$0\")/received.tmp\" \"$(dirname \"$0\")/received\"\n");
        fs::permissions(dir / "Torquill.exe", fs::perms::owner_all);
    }

    std::string received_parameter() {
        for (int i = 0; i < 100 && !fs::exists(dir / "received"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return test::read_file(dir / "received");
    }

    test::TempDir dir;
    fs::path project = dir / "PROJECTS" / "P";
};

TEST_F(CliTest, HelpListsTheCommandsAndBadWordsFail) {
    CliRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"export", "import", "compile", "patch", "update"}) {
        EXPECT_NE(help.out.find(std::string("  ") + command + " PROJECT"), std::string::npos)
            << command;
    }
    EXPECT_EQ(run("flash P").status, 2);
    EXPECT_EQ(run("compile").status, 2);
    EXPECT_EQ(run("export P nosuchtable").status, 2);
    EXPECT_EQ(run("patch P --port 9").status, 2);
    CliRun missing = run("compile NoSuchProject");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("NoSuchProject"), std::string::npos);
}

TEST_F(CliTest, CompileWithoutDocumentsSaysWhichAreMissingAndWritesNothing) {
    CliRun r = run("compile P");
    EXPECT_EQ(r.status, 1);
    std::size_t at = 0;
    for (const char* message : {"File SDO xml not found", "File SDO PDO xml not found",
                                "File EMCY xml not found", "File EMCY Word xml not found",
                                "File reader PDO xml not found", "File Parametres xml not found"}) {
        at = r.err.find(message, at);
        EXPECT_NE(at, std::string::npos) << message;
    }
    EXPECT_FALSE(fs::exists(project / "bin" / "bank1.bin"));
}

TEST_F(CliTest, CompilePrintsTheDirectoryAndTheFiles) {
    write_documents();
    CliRun r = run("compile '" + project.string() + "'");  // a folder path works as well as a name
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("SDO (bank 1): start 0, counts 1 + 0, second group at 9"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(fs::file_size(project / "bin" / "bank5.bin"), 16384u);
    EXPECT_EQ(fs::file_size(project / "bin" / "bankg.c"), 235593u);
}

TEST_F(CliTest, ExportAndImportLeaveTheDocumentAloneWhenTheImportFails) {
    write_documents();
    CliRun exported = run("export P sdo");
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_TRUE(fs::exists(project / "sdo.csv"));

    test::TestWorkbooks books;
    CliRun missing = run("import P sdo '" + (books / "sdo_suffix.xls").string() + "'");
    EXPECT_EQ(missing.status, 1);
    CliRun stopped = run("import P sdo '" + (books / "sdo_stop.xls").string() + "'");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find("record 2"), std::string::npos) << stopped.err;
    EXPECT_EQ(test::read_file(project / "sdo.xml"), sdo_xml);

    CliRun done = run("import P sdo '" + (books / "sdo_both.xls").string() + "'");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(test::read_file(project / "sdo.xml").find("IndexA=\"$2001\""), std::string::npos);
}

TEST_F(CliTest, EmcyWordMapExportsAndImportsThroughTheCatalogue) {
    std::string bits;
    for (int bit = 0; bit < 16; ++bit) {
        for (const char* suffix : {"_b0", "_b1", "_poscomp"}) {
            bits += " bit" + std::to_string(bit) + suffix + "=\"" + (bit == 2 ? "7" : "") + "\"";
        }
    }
    const std::string words =
        "<emcyword><row index_addrm=\"0x2000\" subindex=\"1\" "
        "extdata=\"0\" devid=\"4\"" +
        bits + " /></emcyword>";
    test::write_file(project / "emcyword.xml", words);
    CliRun exported = run("export P emcyword");
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(test::read_file(project / "emcyword.csv"),
              "0x2000,1,0,4,,,,,,,7,7,7," + std::string(39, ',') + "\r\n");

    test::TestWorkbooks books;
    for (const char* failing : {"emcyword_stop.xls", "emcyword_none.xls", "sdo_upper.xls"}) {
        CliRun r = run("import P emcyword '" + (books / failing).string() + "'");
        EXPECT_EQ(r.status, 1) << failing;
        EXPECT_NE(r.err.find("emcyword.xml left unchanged"), std::string::npos) << r.err;
    }
    EXPECT_EQ(test::read_file(project / "emcyword.xml"), words);

    CliRun done = run("import P emcyword '" + (books / "emcyword.xls").string() + "'");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.out.find("emcyword: 3 records imported"), std::string::npos) << done.out;
    EXPECT_NE(done.err.find("warning: " + (books / "emcyword.xls").string() +
                            ": record 3 skipped: extdata 5 names no page"),
              std::string::npos)
        << done.err;
    const std::string saved = test::read_file(project / "emcyword.xml");
    EXPECT_EQ(saved.find("<emcyword><row index_addrm=\"0x2100\" subindex=\"2\" extdata=\"0\""), 0u)
        << saved;
    EXPECT_EQ(saved.find("0x2200"), std::string::npos);  // extdata 5 names no page
}

TEST_F(CliTest, UpdateCompilesPatchesAndLaunchesOnTheChosenPort) {
    write_documents();
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    install_flash_writer();
    CliRun r = run("update P --port 3 --launch");
    EXPECT_EQ(r.status, 0) << r.err;
    const fs::path image = project / "New_Brax_Traslate.sx";
    EXPECT_TRUE(fs::exists(image));
    EXPECT_FALSE(fs::exists(project / "bin" / "Bin.sx"));
    EXPECT_EQ(received_parameter(), "\"" + image.string() +
                                        "\"\xC2\xB6"
                                        "2");
}

TEST_F(CliTest, PatchWithoutBinFolderStopsBeforeTheLaunch) {
    fs::remove_all(project / "bin");
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    install_flash_writer();
    CliRun r = run("patch P --launch");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Directory Bin Not Found,Abort Procedure"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(project / "New_Brax_Traslate.sx"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(dir / "received"));
}

TEST_F(CliTest, UpdateDoesNotPatchAfterACompileMessage) {
    write_documents();
    test::write_file(project / "sdo.xml",
                     "<sdo><row conf=\"16\" IndexA=\"7x\" SubindexA=\"1\" devIDB=\"5\" "
                     "IndexB=\"0x6000\" SubindexB=\"2\" nbyteB=\"2\" mnemonico=\"\"/></sdo>");
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    CliRun r = run("update P");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error in conversion string"), std::string::npos);
    EXPECT_FALSE(fs::exists(project / "New_Brax_Traslate.sx"));
}

}  // namespace
}  // namespace fenwarp
