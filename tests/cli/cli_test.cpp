// fenwarp-cli as a script runs it: exit status, what it prints, what it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <map>
#include <thread>

#include "core/sha256.h"
#include "fixtures/emcy_workbooks.h"
#include "fixtures/firmware_images.h"
#include "fixtures/workbook_fixtures.h"
#include "generated_project.h"
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

    // Runs the program with the given words, from the folder `from` when given.
    CliRun run(const std::string& arguments, const fs::path& from = {}) {
        const std::string change = from.empty() ? "" : "cd '" + from.string() + "' && ";
        const std::string command = change + "'" + (dir / "fenwarp-cli").string() + "' " +
                                    arguments + " >'" + (dir / "out").string() + "' 2>'" +
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
    for (const char* command : {"export", "import", "compile", "patch", "update", "log"}) {
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

TEST_F(CliTest, EveryTableExportsToAWorkbookThatImportsBackUnchanged) {
    const fs::path fixtures = fs::path(FENWARP_TEST_SOURCE_DIR) / "fixtures" / "workbooks";
    for (const auto& entry : fs::directory_iterator(fixtures / "project")) {
        fs::copy_file(entry.path(), project / entry.path().filename());
    }
    for (const char* table : {"sdo", "rpdodef", "sdopdo", "emcydef", "emcyword"}) {
        const fs::path document = project / (std::string(table) + ".xml");
        const fs::path workbook = project / (std::string(table) + ".xlsx");
        CliRun exported = run(std::string("export P ") + table + " --xlsx");
        EXPECT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(exported.out, workbook.string() + "\n");
        const std::string before = test::read_file(document);
        test::write_file(document, "<" + std::string(table) + "/>");
        CliRun imported = run(std::string("import P ") + table + " '" + workbook.string() + "'");
        EXPECT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(imported.err, "") << table;
        EXPECT_EQ(test::read_file(document), before) << table;
    }
    EXPECT_EQ(run("export P sdo --xls").status, 2);
    EXPECT_EQ(run("export P sdo --xlsx more").status, 2);
}

TEST_F(CliTest, AWorkbookThatIsNoReadableContainerLeavesTheDocumentAlone) {
    write_documents();
    ASSERT_EQ(run("export P sdo --xlsx").status, 0);
    const std::string whole = test::read_file(project / "sdo.xlsx");
    test::write_file(project / "cut.xlsx", whole.substr(0, whole.size() - 100));
    CliRun cut = run("import P sdo '" + (project / "cut.xlsx").string() + "'");
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("damaged or truncated zip container"), std::string::npos) << cut.err;
    EXPECT_NE(cut.err.find("sdo.xml left unchanged"), std::string::npos) << cut.err;
    EXPECT_EQ(test::read_file(project / "sdo.xml"), sdo_xml);
}

TEST_F(CliTest, AnImportThatTakesNoRecordFailsAndSkippedRecordsAreNamed) {
    write_documents();
    test::TestWorkbooks books;
    for (const char* file : {"sdo_headings.xls", "sdo_empty.xls", "sdo_formula.xls"}) {
        CliRun nothing = run("import P sdo '" + (books / file).string() + "'");
        EXPECT_EQ(nothing.status, 1) << file;
        EXPECT_NE(nothing.err.find("sdo.xml left unchanged"), std::string::npos) << nothing.err;
        EXPECT_EQ(test::read_file(project / "sdo.xml"), sdo_xml) << file;
    }
    CliRun formula = run("import P sdo '" + (books / "sdo_formula.xls").string() + "'");
    EXPECT_NE(formula.err.find("row 3, column B holds a formula"), std::string::npos)
        << formula.err;

    CliRun done = run("import P sdo '" + (books / "sdo_exported.xls").string() + "'");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.out.find("2 records imported"), std::string::npos) << done.out;
    EXPECT_NE(done.err.find("record 2 (sheet row 3) skipped: blank record"), std::string::npos)
        << done.err;
    EXPECT_NE(done.err.find("record 4 (sheet row 5) skipped: heading record"), std::string::npos)
        << done.err;
    const std::string saved = test::read_file(project / "sdo.xml");
    EXPECT_EQ(saved.find("Index\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("IndexA=\"0x3000\""), std::string::npos) << saved;
}

TEST_F(CliTest, ThePdoTableGoesThroughTheSameCommands) {
    write_documents();
    CliRun exported = run("export P rpdodef");
    EXPECT_EQ(exported.status, 0) << exported.err;
    const std::string csv = test::read_file(project / "rpdodef.csv");
    EXPECT_EQ(csv.substr(0, 37), "cobid,id_dev_orig,00,posind,n_tpdo,\r\n");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 22);

    test::TestWorkbooks books;
    CliRun full = run("import P rpdodef '" + (books / "rpdodef_full.xls").string() + "'");
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("page is full"), std::string::npos) << full.err;
    EXPECT_EQ(test::read_file(project / "rpdodef.xml"), "<rpdodef/>");
    CliRun done = run("import P rpdodef '" + (books / "rpdodef.xls").string() + "'");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(test::read_file(project / "rpdodef.xml"),
              "<rpdodef><row cobid=\"384\" id_dev_orig=\"2\" en_bypass=\"2\" posind=\"0\" "
              "n_tpdo=\"1\"/><row cobid=\"0x201\" id_dev_orig=\"3\" en_bypass=\"3\" posind=\"1\" "
              "n_tpdo=\"1\"/><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"1\" posind=\"2\" "
              "n_tpdo=\"3\"/></rpdodef>");
}

TEST_F(CliTest, StoredPdoMapRoundTripsThroughCsvAndWorkbook) {
    write_documents();
    // Tab "Can0" lists the PDOs from CAN 1 to CAN 0 (en_bypass bit 1 clear).
    std::string rpdodef = "<rpdodef>";
    for (const char* en_bypass : {"0", "2", "1", "3", "0"}) {
        rpdodef += std::string("<row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"") + en_bypass +
                   "\" posind=\"0\" n_tpdo=\"0\"/>";
    }
    test::write_file(project / "rpdodef.xml", rpdodef + "</rpdodef>");
    const std::string map =
        "<sdopdo><row index=\"0x3000\" subindex=\"1\" nrpdo=\"3\" poscomp=\"37\"/>"
        "<row index=\"0x3001\" subindex=\"0\" nrpdo=\"130\" poscomp=\"0\"/></sdopdo>";
    test::write_file(project / "sdopdo.xml", map);

    CliRun exported = run("export P sdopdo");
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(test::read_file(project / "sdopdo.csv"), "0x3000,1,3,37,\r\n0x3001,0,130,0,\r\n");

    test::TestWorkbooks books;
    CliRun stopped = run("import P sdopdo '" + (books / "sdopdo_stop.xls").string() + "'");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(test::read_file(project / "sdopdo.xml"), map);
    CliRun done = run("import P sdopdo '" + (books / "sdopdo_map.xls").string() + "'");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.err.find("record 2 (sheet row 3) skipped"), std::string::npos) << done.err;
    EXPECT_EQ(test::read_file(project / "sdopdo.xml"),
              "<sdopdo><row index=\"8194\" subindex=\"2\" nrpdo=\"1\" poscomp=\"\"/>"
              "<row index=\"0x2000\" subindex=\"1\" nrpdo=\"130\" poscomp=\"37\"/>"
              "<row index=\"$2003\" subindex=\"3\" nrpdo=\"129\" poscomp=\"18\"/></sdopdo>");

    // An entry naming a PDO rpdodef.xml lacks is never dropped in silence.
    test::write_file(
        project / "sdopdo.xml",
        "<sdopdo><row index=\"1\" subindex=\"1\" nrpdo=\"9\" poscomp=\"0\"/></sdopdo>");
    CliRun partial = run("export P sdopdo");
    EXPECT_EQ(partial.status, 1);
    EXPECT_NE(partial.err.find("could not be placed"), std::string::npos) << partial.err;
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
                            ": record 3 (sheet row 4) skipped: extdata 5 names no page"),
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
    EXPECT_EQ(r.out.find("Started"), std::string::npos);
}

// A template without bank 2's range gives an image without bank 2: for a
// script that is not a complete patch, so no launch and exit 1; the update is
// still recorded, without a port.
TEST_F(CliTest, ABankRangeMissingFromTheTemplateIsNotACompletePatch) {
    write_documents();
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx",
                     test::srec_line('2', 0x388000, test::filled(32, 1)) + "S9030000FC\r\n");
    install_flash_writer();
    for (const char* command : {"update P --launch", "patch P --launch", "patch P"}) {
        CliRun r = run(command);
        EXPECT_EQ(r.status, 1) << command;
        EXPECT_NE(r.err.find("Bank 2"), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("Started"), std::string::npos) << command;
    }
    const std::string log = test::read_file(project / "update.log");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3);
    EXPECT_EQ(log.find("\"port\":\"COM"), std::string::npos) << log;
}

// log prints one row per image made, newest last; a failed patch adds none.
TEST_F(CliTest, LogPrintsEveryUpdate) {
    EXPECT_EQ(run("log P").status, 1);
    write_documents();
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    install_flash_writer();
    ASSERT_EQ(run("update P").status, 0);
    ASSERT_EQ(run("patch P --port 3 --launch").status, 0);
    fs::remove(project / "bin" / "bank1.bin");
    ASSERT_EQ(run("patch P").status, 1);
    CliRun r = run("log P");
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(r.out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[0].rfind("Time (UTC)", 0), 0u);
    EXPECT_NE(lines[0].find("sdo.xml"), std::string::npos);
    EXPECT_NE(lines[1].find("1,2"), std::string::npos);
    EXPECT_EQ(lines[1].find("COM"), std::string::npos);
    EXPECT_NE(lines[2].find("COM3"), std::string::npos);
    const std::string image_digest = sha256_hex(test::read_file(project / "New_Brax_Traslate.sx"));
    EXPECT_NE(lines[2].find(image_digest.substr(0, 12)), std::string::npos);
}

TEST_F(CliTest, UpdateDoesNotPatchAfterACompileMessage) {
    write_documents();
    test::write_file(project / "sdo.xml",
                     "<sdo><row conf=\"16\" IndexA=\"7x\" SubindexA=\"1\" devIDB=\"5\" "
                     "IndexB=\"0x6000\" SubindexB=\"2\" nbyteB=\"2\" mnemonico=\"\"/></sdo>");
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    // The check names the value first and stops before the compile...
    CliRun r = run("update P");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("sdo.xml  SDO from CAN 0 request to CAN 1, N\u00b0 0  IndexA: \"7x\""),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(project / "bin" / "bank1.bin"));
    // ...and past it, the compile's own message still keeps the image from being made.
    r = run("update P --force");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Error in conversion string"), std::string::npos);
    EXPECT_FALSE(fs::exists(project / "New_Brax_Traslate.sx"));
}

TEST_F(CliTest, CheckPrintsFindingsAndFailsOnlyOnErrors) {
    write_documents();
    CliRun r = run("check P");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Bank 1: 9 of 16384 bytes used"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Bank 2: 0 of 16284 bytes used"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("0 error(s), 0 warning(s)"), std::string::npos);

    // A virtual object in the communication profile area is a warning only.
    test::write_file(project / "sdo.xml",
                     "<sdo><row conf=\"1\" IndexA=\"0x1018\" SubindexA=\"1\" devIDB=\"5\" "
                     "IndexB=\"0x6000\" SubindexB=\"2\" nbyteB=\"9\" mnemonico=\"\"/>"
                     "<row conf=\"1\" IndexA=\"0x1018\" SubindexA=\"2\" devIDB=\"5\" "
                     "IndexB=\"0x6000\" SubindexB=\"2\" nbyteB=\"2\" mnemonico=\"\"/></sdo>");
    r = run("check P");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("error  sdo.xml  SDO from CAN 1 request to CAN 0, N\u00b0 0  nbyteB: "),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("warning  sdo.xml  SDO from CAN 1 request to CAN 0, N\u00b0 1  IndexA: "),
              std::string::npos);
    EXPECT_NE(r.out.find("1 error(s), 2 warning(s)"), std::string::npos);

    EXPECT_EQ(run("check").status, 2);
    EXPECT_EQ(run("check P Q").status, 2);
    EXPECT_EQ(run("check ''").status, 2);
    EXPECT_EQ(run("check Missing").status, 1);
}

TEST_F(CliTest, UpdateStopsAtTheCheckErrorsUnlessForcedAndPassesWarnings) {
    write_documents();
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    test::write_file(project / "rpdodef.xml",
                     "<rpdodef><row cobid=\"0x581\" id_dev_orig=\"1\" en_bypass=\"3\" "
                     "posind=\"0\" n_tpdo=\"1\"/></rpdodef>");
    CliRun r = run("update P");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("rpdodef.xml  PDO From Can0 to Can1, N\u00b0 0  cobid"), std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(project / "New_Brax_Traslate.sx"));
    r = run("update P --force");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(project / "New_Brax_Traslate.sx"));
    EXPECT_EQ(run("patch P --force").status, 2);
}

// Every file below a folder with its content, the run's own output left out.
std::map<std::string, std::string> tree_of(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        if (name == "out" || name == "err") continue;
        files[name] = entry.is_regular_file() ? test::read_file(entry.path()) : "<folder>";
    }
    return files;
}

TEST_F(CliTest, ProjectIsANameUnderProjectsOrAnExplicitPathToAProjectFolder) {
    write_documents();
    // A work folder outside the program folder, holding a project folder
    // "Example" and documents of its own; PROJECTS/Example is another project.
    test::TempDir work;
    fs::create_directories(work / "Example" / "bin");
    test::write_file(work / "Example" / "sdo.xml", sdo_xml);
    test::write_file(work / "sdo.xml", sdo_xml);
    fs::create_directories(work / "plain");
    fs::create_directories(dir / "PROJECTS" / "Example" / "bin");
    test::write_file(dir / "PROJECTS" / "Example" / "sdo.xml", sdo_xml);
    const struct {
        const char* project;
        int status;
    } refused[] = {{"''", 2},       {".", 2},       {"..", 2},
                   {"/", 2},        {"/..", 2},     {"Example/../../x", 2},
                   {"P/..", 2},     {"'P\\x'", 2},  {"NoSuch", 1},
                   {"./NoSuch", 1}, {"./plain", 1}, {"../../../../../../../../../..", 2}};
    const auto program_before = tree_of(dir.path());
    const auto work_before = tree_of(work.path());
    for (const auto& c : refused) {
        for (const std::string& command :
             {std::string("export ") + c.project + " sdo", std::string("compile ") + c.project,
              std::string("update ") + c.project}) {
            CliRun r = run(command, work.path());
            EXPECT_EQ(r.status, c.status) << command << ": " << r.err;
            EXPECT_FALSE(r.err.empty()) << command;
        }
    }
    EXPECT_EQ(tree_of(dir.path()), program_before);
    EXPECT_EQ(tree_of(work.path()), work_before);

    // A bare name is the project under PROJECTS, whatever the current folder holds.
    CliRun named = run("export Example sdo", work.path());
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_TRUE(fs::exists(dir / "PROJECTS" / "Example" / "sdo.csv"));
    EXPECT_EQ(tree_of(work.path()), work_before);
    // An explicit path is that folder.
    CliRun path = run("export ./Example sdo", work.path());
    EXPECT_EQ(path.status, 0) << path.err;
    EXPECT_TRUE(fs::exists(work / "Example" / "sdo.csv"));
    CliRun absolute = run("export '" + project.string() + "' sdo", work.path());
    EXPECT_EQ(absolute.status, 0) << absolute.err;
    EXPECT_TRUE(fs::exists(project / "sdo.csv"));

    CliRun help = run("--help");
    EXPECT_NE(help.out.find("./, ../ or /"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("2 wrong words"), std::string::npos) << help.out;
}

TEST_F(CliTest, XmlTreePrintsEveryDemoDocumentAndFailsWithTheParsersMessage) {
    const fs::path demo =
        fs::path(FENWARP_TEST_SOURCE_DIR) / ".." / "demo" / "PROJECTS" / "Example";
    for (const char* name :
         {"pargen.xml", "sdo.xml", "rpdodef.xml", "sdopdo.xml", "emcydef.xml", "emcyword.xml"}) {
        CliRun r = run("xml-tree '" + (demo / name).string() + "'");
        EXPECT_EQ(r.status, 0) << name << ": " << r.err;
        EXPECT_EQ(r.out.rfind("File: " + std::string(name) + "\n  ", 0), 0u) << r.out;
    }
    test::write_file(dir / "p.xml", std::string(pargen_xml) + "\n");
    CliRun tree = run("xml-tree '" + (dir / "p.xml").string() + "'");
    EXPECT_EQ(tree.status, 0);
    EXPECT_EQ(tree.out,
              "File: p.xml\n  ParametriGenerali\n    idA = 1\n    BoudA = 10\n    idB = 1\n"
              "    BoudB = 250\n    timeoutsdo = 1000\n    baudmodbus = 0\n    parity = 0\n"
              "    ser = 0\n    devid = 0\n");

    test::write_file(dir / "bad.xml", "<a><b></a>");
    CliRun bad = run("xml-tree '" + (dir / "bad.xml").string() + "'");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "End tag name \"a\" does not match start tag name \"b\"\n");
    EXPECT_EQ(run("xml-tree '" + (dir / "none.xml").string() + "'").status, 1);
    EXPECT_EQ(run("xml-tree").status, 2);
}

TEST_F(CliTest, EmcyTableExportsAndImportsThroughTheCatalogue) {
    const std::string document =
        "<emcydef><row id_dev=\"7\" mask_eq_ec=\"\" mask_eq_er=\"1\" mask_eq_m1=\"2\" "
        "mask_eq_m2=\"3\" mask_eq_m3=\"4\" enmask_eq_ec=\"5\" enmask_eq_er=\"6\" "
        "enmask_eq_m1=\"7\" enmask_eq_m2=\"8\" enmask_eq_m3=\"9\" bypass_set=\"99\"/></emcydef>";
    test::write_file(project / "emcydef.xml", document);
    CliRun exported = run("export P emcydef");
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(test::read_file(project / "emcydef.csv"), "7,0,1,2,3,4,5,6,7,8,9,35,\r\n");

    test::EmcyWorkbooks books;
    CliRun stopped = run("import P emcydef '" + (books / "emcy_stop.xls").string() + "'");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find("record 3"), std::string::npos) << stopped.err;
    EXPECT_EQ(test::read_file(project / "emcydef.xml"), document);

    CliRun done = run("import P emcydef '" + (books / "emcy_plain.xls").string() + "'");
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.out.find("emcydef: 3 records imported"), std::string::npos) << done.out;
    const std::string saved = test::read_file(project / "emcydef.xml");
    const std::size_t two = saved.find("id_dev=\"2\"");
    const std::size_t four = saved.find("id_dev=\"4\"");
    const std::size_t nine = saved.find("id_dev=\"9\"");
    EXPECT_TRUE(two < four && four < nine) << saved;
    EXPECT_NE(saved.find("bypass_set=\"33\""), std::string::npos) << saved;
}

TEST_F(CliTest, NewCreatesASeededProjectOrRefusesTheName) {
    CliRun made = run("new Plant1");
    EXPECT_EQ(made.status, 0) << made.err;
    const fs::path plant = dir / "PROJECTS" / "Plant1";
    EXPECT_TRUE(fs::is_directory(plant / "bin"));
    EXPECT_NE(test::read_file(plant / "pargen.xml").find("<idA>1</idA><BoudA>10</BoudA>"),
              std::string::npos);
    for (const char* table : {"sdo", "emcydef", "emcyword", "rpdodef", "sdopdo"})
        EXPECT_EQ(test::read_file(plant / (std::string(table) + ".xml")),
                  "<" + std::string(table) + "/>");
    EXPECT_EQ(run("compile Plant1").status, 0);

    CliRun again = run("new Plant1");
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("Name project not valid because directory already exists"),
              std::string::npos);
    for (const char* name : {"'../x'", "a/b", "'a\\b'", ".", "..", "''"}) {
        CliRun refused = run(std::string("new ") + name);
        EXPECT_EQ(refused.status, 1) << name;
        EXPECT_NE(refused.err.find("Name project not valid"), std::string::npos) << name;
    }
    EXPECT_FALSE(fs::exists(dir / "x"));
    EXPECT_FALSE(fs::exists(dir / "PROJECTS" / "a"));
}

// The bank files, the patched image and the decoded documents of a project
// all hold the project: decode, compile and diff agree byte for byte.
TEST_F(CliTest, DecodeAndDiffReadBanksBackAsTheProject) {
    test::write_generated_project(project, {50, 30, 20, 10, 40, true});
    test::write_file(dir / "MASTER" / "Brax_Traslate.sx", test::small_template());
    // Values in every text form and width the compile takes, so the check
    // objects: --force goes past it.
    CliRun updated = run("update P --force");
    ASSERT_EQ(updated.status, 0) << updated.err;
    const std::string bin = "'" + (project / "bin").string() + "'";
    const std::string image = "'" + (project / "New_Brax_Traslate.sx").string() + "'";

    CliRun listed = run("decode " + image);
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.out.find("  BoudA 125\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("sdo.xml: 50 records\n  first group:\n  1: conf="),
              std::string::npos);

    const fs::path copy = dir / "PROJECTS" / "Q";
    CliRun decoded = run("decode " + bin + " --xml '" + copy.string() + "'");
    EXPECT_EQ(decoded.status, 0) << decoded.err;
    ASSERT_EQ(run("compile Q").status, 0);
    for (int k = 1; k <= 5; ++k) {
        const std::string name = "bin/bank" + std::to_string(k) + ".bin";
        EXPECT_TRUE(test::read_file(project / name) == test::read_file(copy / name)) << name;
    }
    for (const std::string& b : {image, bin, std::string("Q")}) {
        CliRun same = run("diff P " + b);
        EXPECT_EQ(same.status, 0) << b << same.out << same.err;
        EXPECT_EQ(same.out, "No difference: the same parameter block and the same records.\n");
    }

    // One cell of the decoded copy: one changed field.
    std::string sdo = test::read_file(copy / "sdo.xml");
    const std::size_t at = sdo.find("nbyteB=\"") + 8;
    const std::string old_value = sdo.substr(at, sdo.find('"', at) - at);
    const std::string new_value = old_value == "7" ? "8" : "7";
    sdo.replace(at, old_value.size(), new_value);
    test::write_file(copy / "sdo.xml", sdo);
    CliRun changed = run("diff " + image + " Q");
    EXPECT_EQ(changed.status, 1);
    EXPECT_EQ(changed.out, "sdo.xml:\n  record 1 changed: nbyteB " + old_value + " -> " +
                               new_value +
                               "\n0 parameter(s) changed; records: 0 added, 0 removed, 1 "
                               "changed (1 field(s))\n");
}

TEST_F(CliTest, DecodeRefusesBadWordsIncompleteBanksAndExistingDocuments) {
    write_documents();
    ASSERT_EQ(run("compile P").status, 0);
    const std::string bin = "'" + (project / "bin").string() + "'";
    for (const char* words :
         {"decode", "decode a b", "decode a --xml", "decode --xml d", "diff P", "diff P P P"}) {
        EXPECT_EQ(run(words).status, 2) << words;
    }
    const std::string before = test::read_file(project / "sdo.xml");
    CliRun existing = run("decode " + bin + " --xml '" + project.string() + "'");
    EXPECT_EQ(existing.status, 1);
    EXPECT_NE(existing.err.find("already exists"), std::string::npos) << existing.err;
    EXPECT_EQ(test::read_file(project / "sdo.xml"), before);
    // A folder whose "bin" cannot be made would not compile: nothing is written.
    const fs::path blocked = dir / "PROJECTS" / "R";
    fs::create_directories(blocked);
    test::write_file(blocked / "bin", "not a folder");
    CliRun no_bin = run("decode " + bin + " --xml '" + blocked.string() + "'");
    EXPECT_EQ(no_bin.status, 1);
    EXPECT_NE(no_bin.err.find("cannot make"), std::string::npos) << no_bin.err;
    EXPECT_FALSE(fs::exists(blocked / "sdo.xml"));

    test::write_file(project / "bin" / "bank2.bin", std::string(16000, '\0'));
    CliRun shortened = run("decode " + bin);
    EXPECT_EQ(shortened.status, 1);
    EXPECT_NE(shortened.err.find("bank2.bin: only 16000 bytes"), std::string::npos);
    EXPECT_EQ(run("diff P " + bin).status, 1);
    EXPECT_EQ(run("decode '" + (dir / "none.sx").string() + "'").status, 1);
}

}  // namespace
}  // namespace fenwarp
