#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/banks/bank_images.h"
#include "test_support.h"

namespace fenwarp::test {

using Attributes = std::vector<std::pair<std::string, std::string>>;

// <row a="1" b="2"/>
inline std::string row(const Attributes& attributes) {
    std::string text = "<row";
    for (const auto& [name, value] : attributes) text += " " + name + "=\"" + value + "\"";
    return text + "/>";
}

inline std::string document(const std::string& root, const std::vector<std::string>& rows) {
    std::string text = "<" + root + ">";
    for (const std::string& r : rows) text += r;
    return text + "</" + root + ">";
}

inline std::string sdo_row(const std::string& conf, const std::string& index_a,
                           const std::string& subindex_a = "1") {
    return row({{"conf", conf},
                {"IndexA", index_a},
                {"SubindexA", subindex_a},
                {"devIDB", "5"},
                {"IndexB", "0x6000"},
                {"SubindexB", "2"},
                {"nbyteB", "2"},
                {"mnemonico", "m"}});
}

inline std::string stored_row(const std::string& index, const std::string& nrpdo) {
    return row({{"index", index}, {"subindex", "1"}, {"nrpdo", nrpdo}, {"poscomp", "3"}});
}

inline std::string emcy_row(const std::string& id_dev, const std::string& bypass_set) {
    Attributes attributes = {{"id_dev", id_dev}};
    for (const char* name :
         {"mask_eq_ec", "mask_eq_er", "mask_eq_m1", "mask_eq_m2", "mask_eq_m3", "enmask_eq_ec",
          "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"}) {
        attributes.emplace_back(name, "0");
    }
    attributes.emplace_back("bypass_set", bypass_set);
    return row(attributes);
}

// Bit definitions are left empty, as a new word is saved.
inline std::string word_row(const std::string& index_addrm, const std::string& extdata) {
    Attributes attributes = {
        {"index_addrm", index_addrm}, {"subindex", "1"}, {"extdata", extdata}, {"devid", "4"}};
    for (int bit = 0; bit < 16; ++bit) {
        for (const char* suffix : {"_b0", "_b1", "_poscomp"}) {
            attributes.emplace_back("bit" + std::to_string(bit) + suffix, "");
        }
    }
    return row(attributes);
}

inline std::string pdo_row(const std::string& cobid, const std::string& en_bypass) {
    return row({{"cobid", cobid},
                {"id_dev_orig", "3"},
                {"en_bypass", en_bypass},
                {"posind", "1"},
                {"n_tpdo", "2"}});
}

// pargen.xml as the communication dialog writes it by default.
inline std::string default_pargen() {
    return "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
           "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
           "<ser>0</ser><devid>0</devid></ParametriGenerali>";
}

// A project folder with its "bin" subfolder.
class BankProject {
  public:
    BankProject() { std::filesystem::create_directories(dir_ / "bin"); }

    const std::filesystem::path& path() const { return dir_.path(); }
    void write(const std::string& name, const std::string& content) const {
        write_file(dir_ / name, content);
    }
    void table(const std::string& root, const std::vector<std::string>& rows) const {
        write(root + ".xml", document(root, rows));
    }

  private:
    TempDir dir_;
};

inline std::vector<std::uint8_t> bytes_at(const BankImages::Bank& bank, std::size_t offset,
                                          std::size_t count) {
    return {bank.begin() + static_cast<long>(offset),
            bank.begin() + static_cast<long>(offset + count)};
}

}  // namespace fenwarp::test
