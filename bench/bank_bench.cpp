// Update Device's bank half for the largest project that fits: bank 1 full
// of SDO and stored PDO records, bank 2 full up to the parameter block.
// "Floor" reads the six documents and writes the six files without compiling.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>

#include "core/banks/bank_compiler.h"
#include "core/banks/bank_files.h"
#include "core/banks/bank_listing.h"
#include "core/documents/xml_document.h"
#include "core/messages.h"

namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string rows(const char* root, int count, const std::function<std::string(int)>& row) {
    std::string text = std::string("<") + root + ">";
    for (int i = 0; i < count; ++i) text += "<row " + row(i) + "/>";
    return text + "</" + root + ">";
}

std::string hex(int value) {
    return "0x" + (std::ostringstream() << std::hex << value).str();
}

// 1000 SDO + 1476 stored PDO = 16380 bytes; 300 EMCY + 100 words + 930 PDO = 16280.
class FullProject {
  public:
    FullProject() {
        dir_ = fs::temp_directory_path() /
               ("fenwarp-bank-bench-" + std::to_string(std::random_device()()));
        fs::create_directories(dir_ / "bin");
        write(dir_ / "pargen.xml",
              "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
              "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
              "<ser>0</ser><devid>0</devid></ParametriGenerali>");
        write(dir_ / "sdo.xml", rows("sdo", 1000, [](int i) {
                  return "conf=\"" + std::to_string(i < 500 ? 16 : 17) + "\" IndexA=\"" +
                         hex(0x2000 + i) + "\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"" +
                         hex(0x6000 + i) + "\" SubindexB=\"2\" nbyteB=\"2\" mnemonico=\"m\"";
              }));
        write(dir_ / "sdopdo.xml", rows("sdopdo", 1476, [](int i) {
                  return "index=\"" + hex(0x2100 + i) + "\" subindex=\"1\" nrpdo=\"" +
                         std::to_string(i < 738 ? 1 : 129) + "\" poscomp=\"3\"";
              }));
        write(dir_ / "emcydef.xml", rows("emcydef", 300, [](int i) {
                  return "id_dev=\"" + std::to_string(i % 127) +
                         "\" mask_eq_ec=\"0x8130\" mask_eq_er=\"0x5A\" mask_eq_m1=\"0\" "
                         "mask_eq_m2=\"0\" mask_eq_m3=\"0\" enmask_eq_ec=\"0xFFFF\" "
                         "enmask_eq_er=\"0xFF\" enmask_eq_m1=\"0\" enmask_eq_m2=\"0\" "
                         "enmask_eq_m3=\"0\" bypass_set=\"" +
                         std::to_string(i < 150 ? 1 : 33) + "\"";
              }));
        write(dir_ / "emcyword.xml", rows("emcyword", 100, [](int i) {
                  std::string row = "index_addrm=\"" + hex(0x2200 + i) +
                                    "\" subindex=\"1\" extdata=\"" +
                                    std::to_string(i < 50 ? 0 : 1) + "\" devid=\"4\"";
                  for (int bit = 0; bit < 16; ++bit) {
                      const std::string b = " bit" + std::to_string(bit);
                      row += b + "_b0=\"1\"" + b + "_b1=\"2\"" + b + "_poscomp=\"" +
                             std::to_string(bit) + "\"";
                  }
                  return row;
              }));
        write(dir_ / "rpdodef.xml", rows("rpdodef", 930, [](int i) {
                  return "cobid=\"" + hex(0x181 + i) + "\" id_dev_orig=\"3\" en_bypass=\"" +
                         std::to_string(i < 465 ? 3 : 1) + "\" posind=\"1\" n_tpdo=\"2\"";
              }));
    }
    ~FullProject() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    const fs::path& path() const { return dir_; }

  private:
    fs::path dir_;
};

class Silent : public fenwarp::Messages {
  public:
    void show(const std::string&, fenwarp::MessageKind) override { ++count; }
    int count = 0;
};

void BM_CompileAndFiles(benchmark::State& state) {
    FullProject project;
    fenwarp::BankImages images;
    Silent messages;
    for (auto _ : state) {
        fenwarp::CompileOutcome outcome = fenwarp::compile_banks(project.path(), images, messages);
        if (!outcome.complete) state.SkipWithError("compile incomplete");
        fenwarp::write_bank_files(images, project.path());
        fenwarp::write_bank_listing(images, project.path());
    }
    if (messages.count != 0) state.SkipWithError("messages shown");
}
BENCHMARK(BM_CompileAndFiles)->Unit(benchmark::kMillisecond);

void BM_Floor(benchmark::State& state) {
    FullProject project;
    const fenwarp::BankImages images;
    const std::string listing = fenwarp::bank_listing(images);
    for (auto _ : state) {
        for (const char* name : {"sdo.xml", "sdopdo.xml", "emcydef.xml", "emcyword.xml",
                                 "rpdodef.xml", "pargen.xml"}) {
            fenwarp::XmlDocument document = fenwarp::XmlDocument::load(project.path() / name);
            benchmark::DoNotOptimize(document.root().name());
        }
        for (int n = 1; n <= 5; ++n) {
            std::ofstream out(project.path() / "bin" / ("bank" + std::to_string(n) + ".bin"),
                              std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(images.bank(n).data()),
                      static_cast<std::streamsize>(images.bank(n).size()));
        }
        std::ofstream(project.path() / "bin" / "bankg.c", std::ios::binary | std::ios::trunc)
            .write(listing.data(), static_cast<std::streamsize>(listing.size()));
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
