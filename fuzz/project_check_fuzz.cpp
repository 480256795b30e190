// The project check over a fuzzed document: the first byte picks which of the
// six documents the rest becomes, beside sound ones. The check may find or
// refuse (Error), never fault, and every finding names its document and why.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/check/project_checker.h"
#include "core/error.h"

namespace {

const std::array<const char*, 6> documents = {"pargen.xml", "sdo.xml",     "rpdodef.xml",
                                              "sdopdo.xml", "emcydef.xml", "emcyword.xml"};

const std::array<const char*, 6> sound = {
    "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
    "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
    "<ser>0</ser><devid>0</devid></ParametriGenerali>",
    "<sdo><row conf=\"16\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"5\" IndexB=\"0x6000\" "
    "SubindexB=\"2\" nbyteB=\"2\" mnemonico=\"m\"/></sdo>",
    "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"1\" posind=\"0\" "
    "n_tpdo=\"1\"/></rpdodef>",
    "<sdopdo><row index=\"0x2100\" subindex=\"1\" nrpdo=\"1\" poscomp=\"18\"/></sdopdo>",
    "<emcydef/>",
    "<emcyword/>"};

const std::filesystem::path& project_folder() {
    // In the current folder: scripts/fuzz runs each target in a scratch
    // folder it removes, as libFuzzer ends without running atexit.
    static const std::filesystem::path folder = [] {
        auto dir = std::filesystem::absolute("fenwarp-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir;
    }();
    return folder;
}

void write(const std::filesystem::path& path, const char* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(data, static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t chosen = data[0] % documents.size();
    const std::filesystem::path& dir = project_folder();
    for (std::size_t d = 0; d < documents.size(); ++d) {
        if (d == chosen) {
            write(dir / documents[d], reinterpret_cast<const char*>(data + 1), size - 1);
        } else {
            write(dir / documents[d], sound[d], std::string(sound[d]).size());
        }
    }
    try {
        const fenwarp::CheckReport report = fenwarp::check_project(dir);
        for (const fenwarp::Finding& finding : report.findings) {
            if (finding.document.empty() || finding.reason.empty()) std::abort();
        }
    } catch (const fenwarp::Error&) {
    }
    return 0;
}
