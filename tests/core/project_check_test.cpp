#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <stdexcept>

#include "bank_test_project.h"
#include "core/banks/update_device.h"
#include "core/check/findings_list.h"
#include "core/check/project_checker.h"
#include "core/error.h"
#include "core/shell/project_seed.h"
#include "core/shell/session.h"

namespace fenwarp {
namespace {

using test::Attributes;
using test::row;

std::string sdo(const std::string& conf, const std::string& index, const std::string& sub,
                const std::string& dev = "5", const std::string& nbyte = "2",
                const std::string& index_b = "0x6000") {
    return row({{"conf", conf},
                {"IndexA", index},
                {"SubindexA", sub},
                {"devIDB", dev},
                {"IndexB", index_b},
                {"SubindexB", "2"},
                {"nbyteB", nbyte},
                {"mnemonico", "m"}});
}

std::string pdo(const std::string& cobid, const std::string& en_bypass,
                const std::string& dev = "1") {
    return row({{"cobid", cobid},
                {"id_dev_orig", dev},
                {"en_bypass", en_bypass},
                {"posind", "0"},
                {"n_tpdo", "1"}});
}

std::string stored(const std::string& index, const std::string& sub, const std::string& nrpdo) {
    return row({{"index", index}, {"subindex", sub}, {"nrpdo", nrpdo}, {"poscomp", "18"}});
}

std::string emcy(const std::string& id, const std::string& bypass_set,
                 const std::string& mask_er = "0") {
    Attributes a = {{"id_dev", id}, {"mask_eq_ec", "0x1000"}, {"mask_eq_er", mask_er}};
    for (const char* name : {"mask_eq_m1", "mask_eq_m2", "mask_eq_m3", "enmask_eq_ec",
                             "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"}) {
        a.emplace_back(name, "0xFF");
    }
    a.emplace_back("bypass_set", bypass_set);
    return row(a);
}

// A bit definition: mask byte 1, mask byte 2, the EMCY byte pair.
struct Bit {
    std::string b0, b1, poscomp;
};

std::string word(const std::string& index, const std::string& extdata, const std::string& devid,
                 std::map<int, Bit> bits) {
    Attributes a = {
        {"index_addrm", index}, {"subindex", "1"}, {"extdata", extdata}, {"devid", devid}};
    for (int n = 0; n < 16; ++n) {
        const Bit bit = bits.count(n) ? bits[n] : Bit{};
        const std::string name = "bit" + std::to_string(n);
        a.emplace_back(name + "_b0", bit.b0);
        a.emplace_back(name + "_b1", bit.b1);
        a.emplace_back(name + "_poscomp", bit.poscomp);
    }
    return row(a);
}

std::string pargen(const std::string& id_a, const std::string& baud_a, const std::string& id_b,
                   const std::string& timeout) {
    return "<ParametriGenerali><idA>" + id_a + "</idA><BoudA>" + baud_a + "</BoudA><idB>" + id_b +
           "</idB><BoudB>500</BoudB><timeoutsdo>" + timeout +
           "</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity><ser>0</ser><devid>0</devid>"
           "</ParametriGenerali>";
}

const std::map<int, Bit> word_bits = {{0, {"0xFF", "0", "18"}}, {1, {"0x0F", "0", "19"}}};

// A sound project of every table, both directions, each record a seed may
// collide with; the cases add one mistake to it.
struct Documents {
    std::string pargen_xml = pargen("5", "250", "1", "1000");
    std::vector<std::string> sdo_rows = {sdo("16", "0x2000", "1"), sdo("0", "0x2001", "0"),
                                         sdo("17", "0x2100", "0", "3", "4", "0x1000")};
    std::vector<std::string> pdo_rows = {pdo("0x181", "3"), pdo("0x40000202", "1", "2")};
    std::vector<std::string> stored_rows = {stored("0x2200", "1", "1")};
    std::vector<std::string> emcy_rows = {emcy("5", "1"), emcy("6", "33")};
    std::vector<std::string> word_rows = {word("0x2300", "0", "4", word_bits)};

    void write(const std::filesystem::path& dir) const {
        test::write_file(dir / "pargen.xml", pargen_xml);
        test::write_file(dir / "sdo.xml", test::document("sdo", sdo_rows));
        test::write_file(dir / "rpdodef.xml", test::document("rpdodef", pdo_rows));
        test::write_file(dir / "sdopdo.xml", test::document("sdopdo", stored_rows));
        test::write_file(dir / "emcydef.xml", test::document("emcydef", emcy_rows));
        test::write_file(dir / "emcyword.xml", test::document("emcyword", word_rows));
    }
};

struct Mistake {
    const char* name;
    std::function<void(Documents&)> seed;
    const char* document;
    const char* place;  // page and record as the dialog shows them
    const char* field;
    Severity severity;
};

void PrintTo(const Mistake& m, std::ostream* os) {
    *os << m.name;
}

std::string place_of(const Finding& f) {
    return f.record.empty() ? f.page : f.page + ", " + f.record;
}

const auto E = Severity::Error;
const auto W = Severity::Warning;

const std::vector<Mistake>& mistakes() {
    static const std::vector<Mistake> list = {
        {"NodeIdCan0", [](Documents& d) { d.pargen_xml = pargen("0", "250", "1", "1000"); },
         "pargen.xml", "CAN 0", "idA", E},
        {"NodeIdCan1", [](Documents& d) { d.pargen_xml = pargen("5", "250", "128", "1000"); },
         "pargen.xml", "CAN 1", "idB", W},
        {"BitRate", [](Documents& d) { d.pargen_xml = pargen("5", "333", "1", "1000"); },
         "pargen.xml", "CAN 0", "BoudA", E},
        {"SdoTimeout0", [](Documents& d) { d.pargen_xml = pargen("5", "250", "1", " 0 "); },
         "pargen.xml", "", "timeoutsdo", W},
        {"SdoNodeId", [](Documents& d) { d.sdo_rows.push_back(sdo("0", "0x2002", "0", "200")); },
         "sdo.xml", "SDO from CAN 0 request to CAN 1, N\u00b0 2", "devIDB", E},
        {"SdoTwiceByValue", [](Documents& d) { d.sdo_rows.push_back(sdo("16", "8192", "0x1")); },
         "sdo.xml", "SDO from CAN 0 request to CAN 1, N\u00b0 2", "IndexA", E},
        {"SdoProfileArea", [](Documents& d) { d.sdo_rows.push_back(sdo("1", "0x1018", "1")); },
         "sdo.xml", "SDO from CAN 1 request to CAN 0, N\u00b0 1", "IndexA", W},
        {"SdoByteCount",
         [](Documents& d) { d.sdo_rows.push_back(sdo("0", "0x2003", "0", "5", "5")); }, "sdo.xml",
         "SDO from CAN 0 request to CAN 1, N\u00b0 2", "nbyteB", E},
        {"SdoRwCode", [](Documents& d) { d.sdo_rows.push_back(sdo("32", "0x2004", "0")); },
         "sdo.xml", "SDO from CAN 0 request to CAN 1, N\u00b0 2", "conf", E},
        {"SdoNotANumber",
         [](Documents& d) { d.sdo_rows.push_back(sdo("0", "0x2005", "0", "5", "2", "7x")); },
         "sdo.xml", "SDO from CAN 0 request to CAN 1, N\u00b0 2", "IndexB", E},
        {"SdoEmptyField",
         [](Documents& d) { d.sdo_rows.push_back(sdo("1", "0x2006", "0", "5", "2", "")); },
         "sdo.xml", "SDO from CAN 1 request to CAN 0, N\u00b0 1", "IndexB", E},
        {"PdoTwice", [](Documents& d) { d.pdo_rows.push_back(pdo("385", "2")); }, "rpdodef.xml",
         "PDO From Can0 to Can1, N\u00b0 1", "cobid", E},
        {"PdoBeyond11Bits", [](Documents& d) { d.pdo_rows.push_back(pdo("0x800", "0")); },
         "rpdodef.xml", "PDO From Can1 to Can0, N\u00b0 1", "cobid", E},
        {"PdoNmt", [](Documents& d) { d.pdo_rows.push_back(pdo("0", "0")); }, "rpdodef.xml",
         "PDO From Can1 to Can0, N\u00b0 1", "cobid", E},
        {"PdoSync", [](Documents& d) { d.pdo_rows.push_back(pdo("0x80", "0")); }, "rpdodef.xml",
         "PDO From Can1 to Can0, N\u00b0 1", "cobid", E},
        {"PdoSdoResponse", [](Documents& d) { d.pdo_rows.push_back(pdo("0x5FF", "0")); },
         "rpdodef.xml", "PDO From Can1 to Can0, N\u00b0 1", "cobid", E},
        {"PdoHeartbeat", [](Documents& d) { d.pdo_rows.push_back(pdo("0x705", "0")); },
         "rpdodef.xml", "PDO From Can1 to Can0, N\u00b0 1", "cobid", E},
        {"PdoLss", [](Documents& d) { d.pdo_rows.push_back(pdo("0x7E5", "0")); }, "rpdodef.xml",
         "PDO From Can1 to Can0, N\u00b0 1", "cobid", E},
        {"PdoNodeId", [](Documents& d) { d.pdo_rows.push_back(pdo("0x182", "2", "")); },
         "rpdodef.xml", "PDO From Can0 to Can1, N\u00b0 1", "id_dev_orig", E},
        {"EmcyDeviceTwice", [](Documents& d) { d.emcy_rows.push_back(emcy("0x5", "1")); },
         "emcydef.xml", "From CAN 0, entry 1 (ID 0x5)", "id_dev", E},
        {"EmcyMaskWide", [](Documents& d) { d.emcy_rows.push_back(emcy("7", "33", "0x100")); },
         "emcydef.xml", "From CAN 1, entry 1 (ID 7)", "mask_eq_er", E},
        {"EmcyAlias9", [](Documents& d) { d.emcy_rows.push_back(emcy("7", "19")); }, "emcydef.xml",
         "From CAN 0, entry 1 (ID 7)", "bypass_set", E},
        {"EmcyNodeId", [](Documents& d) { d.emcy_rows.push_back(emcy("128", "0")); }, "emcydef.xml",
         "From CAN 0, entry 1 (ID 128)", "id_dev", E},
        {"WordNodeId", [](Documents& d) { d.word_rows.push_back(word("0x2301", "1", "0", {})); },
         "emcyword.xml", "Can1, W0", "devid", E},
        {"WordObjectTwice", [](Documents& d) { d.word_rows.push_back(word("8960", "0", "9", {})); },
         "emcyword.xml", "Can0, W1", "index_addrm", E},
        {"WordMaskWide",
         [](Documents& d) {
             d.word_rows.push_back(word("0x2301", "0", "4", {{3, {"0x1FF", "0", "0x34"}}}));
         },
         "emcyword.xml", "Can0, W1", "bit3_b0", E},
        {"WordBitsOverlap",
         [](Documents& d) {
             auto bits = word_bits;
             bits[2] = {"0x01", "0", "18"};
             d.word_rows[0] = word("0x2300", "0", "4", bits);
         },
         "emcyword.xml", "Can0, W0 Bit 2", "bit2_poscomp", W},
        {"StoredNoSuchPdo",
         [](Documents& d) { d.stored_rows.push_back(stored("0x2201", "1", "100")); }, "sdopdo.xml",
         "Can0, document row 2", "nrpdo", E},
        {"StoredRepeatsSdoObject",
         [](Documents& d) { d.stored_rows.push_back(stored("8193", "0", "1")); }, "sdopdo.xml",
         "Can0, PDO 1, Sdo1", "index", E},
        {"StoredTwiceOnATab",
         [](Documents& d) { d.stored_rows.push_back(stored("8704", "0x1", "1")); }, "sdopdo.xml",
         "Can0, PDO 1, Sdo1", "index", E},
        {"WordPageUnknown",
         [](Documents& d) { d.word_rows.push_back(word("0x2302", "2", "4", {})); }, "emcyword.xml",
         "Can0, W1", "extdata", E},
        {"Bank1Under5Percent",
         [](Documents& d) {
             for (int i = 0; i < 1750; ++i) {
                 d.sdo_rows.push_back(sdo(i % 2 ? "1" : "0", std::to_string(0x3000 + i), "0"));
             }
         },
         "bank 1", "", "", W},
        {"Bank2Full",
         [](Documents& d) {
             for (int i = 0; i < 310; ++i) {
                 d.word_rows.push_back(word(std::to_string(0x4000 + i), "1", "4", {}));
             }
         },
         "bank 2", "", "", E},
    };
    return list;
}

class ProjectCheckTest : public ::testing::TestWithParam<Mistake> {};

TEST_P(ProjectCheckTest, OneMistakeGivesOneFindingNamingItsRecord) {
    const Mistake& m = GetParam();
    test::TempDir dir;
    Documents documents;
    m.seed(documents);
    documents.write(dir.path());
    const CheckReport report = check_project(dir.path());
    ASSERT_EQ(report.findings.size(), 1u) << finding_line(report.findings.at(0));
    const Finding& f = report.findings[0];
    EXPECT_EQ(f.document, m.document);
    EXPECT_EQ(place_of(f), m.place);
    EXPECT_EQ(f.field, m.field);
    EXPECT_EQ(f.severity, m.severity) << f.reason;
    EXPECT_FALSE(f.reason.empty());
}

INSTANTIATE_TEST_SUITE_P(Check, ProjectCheckTest, ::testing::ValuesIn(mistakes()),
                         [](const auto& info) { return std::string(info.param.name); });

// Every mistake at once: one finding each, nothing more.
TEST(ProjectCheck, AllMistakesTogetherGiveOneFindingEach) {
    test::TempDir dir;
    Documents documents;
    std::size_t bank_cases = 0;
    for (const Mistake& m : mistakes()) {
        if (std::string(m.document).rfind("bank", 0) == 0) {
            ++bank_cases;
            continue;  // each fills a bank on its own
        }
        if (std::string(m.document) == "pargen.xml") continue;  // one document, one value each
        m.seed(documents);
    }
    documents.write(dir.path());
    const CheckReport report = check_project(dir.path());
    std::size_t expected = 0;
    for (const Mistake& m : mistakes()) {
        const std::string doc = m.document;
        expected += doc != "pargen.xml" && doc.rfind("bank", 0) != 0 ? 1 : 0;
    }
    EXPECT_EQ(report.findings.size(), expected);
    if (report.findings.size() != expected) {
        for (const Finding& f : report.findings) ADD_FAILURE() << finding_line(f);
    }
    EXPECT_GT(bank_cases, 0u);
}

TEST(ProjectCheck, ASoundProjectTheDemoAndANewProjectGiveNone) {
    test::TempDir dir;
    Documents().write(dir.path());
    EXPECT_TRUE(check_project(dir.path()).findings.empty());

    const auto demo =
        std::filesystem::path(FENWARP_TEST_SOURCE_DIR) / ".." / "demo" / "PROJECTS" / "Example";
    const CheckReport report = check_project(demo);
    for (const Finding& f : report.findings) ADD_FAILURE() << finding_line(f);

    test::TempDir fresh;
    Session session(fresh.path());
    ProjectContext context;
    context.project_dir = fresh.path();
    context.derive_document_paths();
    seed_project(session, context);
    const CheckReport seeded = check_project(fresh.path());
    EXPECT_TRUE(seeded.findings.empty());
    EXPECT_EQ(seeded.banks[0].needed, 0u);
    EXPECT_EQ(seeded.banks[1].available, 16284u);
}

TEST(ProjectCheck, MissingDocumentsGiveNoneAndAnUnreadableOneStopsTheCheck) {
    test::TempDir dir;
    EXPECT_TRUE(check_project(dir.path()).findings.empty());
    test::write_file(dir / "sdo.xml", "<sdo><row conf=\"0\"/></sdo>");
    EXPECT_THROW(check_project(dir.path()), Error);
}

const Mistake& mistake(const std::string& name) {
    for (const Mistake& m : mistakes()) {
        if (name == m.name) return m;
    }
    throw std::logic_error("no mistake " + name);
}

// The list Update Device shows: one row a finding, where each opens, and the
// choice offered; after a mend the list is checked again.
TEST(FindingsList, RowsTargetsAndTheChoiceOffered) {
    test::TempDir dir;
    Documents documents;
    mistake("WordBitsOverlap").seed(documents);
    documents.write(dir.path());
    FindingsList list;
    list.show(dir.path(), check_project(dir.path()));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.row(0),
              (std::array<std::string, 5>{"warning", "emcyword.xml", "Can0, W0 Bit 2",
                                          "bit2_poscomp", list.report().findings[0].reason}));
    FindingTarget word = list.target(0);
    EXPECT_EQ(word.dialog, FindingDialog::EmcyWord);
    EXPECT_EQ(word.page, 0);
    EXPECT_EQ(word.position, 0u);
    EXPECT_EQ(word.sub_position, 2u);
    EXPECT_EQ(std::string(list.update_caption()), "Update");
    EXPECT_EQ(list.update_answer(), CheckAnswer::PastWarnings);

    mistake("StoredRepeatsSdoObject").seed(documents);
    mistake("NodeIdCan0").seed(documents);
    documents.write(dir.path());
    list.recheck();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.target(0).dialog, FindingDialog::Pargen);
    EXPECT_EQ(list.target(0).position, 0u);  // idA, the first field
    const FindingTarget entry = list.target(1);
    EXPECT_EQ(entry.dialog, FindingDialog::StoredPdo);
    EXPECT_EQ(entry.page, 0);
    EXPECT_EQ(entry.position, 0u);      // the tab's first PDO
    EXPECT_EQ(entry.sub_position, 1u);  // its second entry, "Sdo1"
    EXPECT_EQ(std::string(list.update_caption()), "Update anyway");
    EXPECT_EQ(list.update_answer(), CheckAnswer::UpdateAnyway);
    EXPECT_EQ(list.summary().rfind("2 error(s), 1 warning(s).", 0), 0u) << list.summary();

    Documents().write(dir.path());
    list.recheck();
    EXPECT_EQ(list.size(), 0u);
}

// Update Device compiles only when the answer covers what the check found.
TEST(ProjectCheck, UpdateDeviceStopsUnlessTheAnswerCoversTheFindings) {
    struct Case {
        const char* mistake;
        CheckAnswer answer;
        bool compiled;
    };
    const Case cases[] = {
        {"SdoProfileArea", CheckAnswer::NotAsked, false},
        {"SdoProfileArea", CheckAnswer::PastWarnings, true},
        {"SdoByteCount", CheckAnswer::PastWarnings, false},
        {"SdoByteCount", CheckAnswer::UpdateAnyway, true},
        {nullptr, CheckAnswer::NotAsked, true},
    };
    for (const Case& c : cases) {
        test::BankProject project;
        Documents documents;
        for (const Mistake& m : mistakes()) {
            if (c.mistake != nullptr && std::string(m.name) == c.mistake) m.seed(documents);
        }
        documents.write(project.path());
        BankImages images;
        MessageRecorder messages;
        const UpdateDeviceResult result = update_device(project.path(), images, messages, c.answer);
        EXPECT_EQ(result.compiled, c.compiled) << (c.mistake ? c.mistake : "sound");
        EXPECT_EQ(result.stopped_by_check, !c.compiled);
        EXPECT_EQ(result.check.findings.size(), c.mistake ? 1u : 0u);
        EXPECT_EQ(std::filesystem::exists(project.path() / "bin" / "bank1.bin"), c.compiled);
    }
}

// A document the check cannot read, though the compile takes it (an SDO
// record with an empty conf and nothing else is skipped by the compile), is
// an error finding: such a project never passes as checked.
TEST(ProjectCheck, AProjectTheCheckCannotReadIsAnErrorFinding) {
    test::BankProject project;
    Documents().write(project.path());
    test::write_file(project.path() / "sdo.xml", "<sdo><row conf=\"\"/></sdo>");
    BankImages images;
    MessageRecorder messages;
    UpdateDeviceResult result =
        update_device(project.path(), images, messages, CheckAnswer::PastWarnings);
    EXPECT_TRUE(result.stopped_by_check);
    ASSERT_EQ(result.check.errors(), 1u);
    EXPECT_EQ(result.check.findings[0].reason.rfind("the project could not be checked: ", 0), 0u)
        << result.check.findings[0].reason;
    result = update_device(project.path(), images, messages, CheckAnswer::UpdateAnyway);
    EXPECT_TRUE(result.compiled);
}

}  // namespace
}  // namespace fenwarp
