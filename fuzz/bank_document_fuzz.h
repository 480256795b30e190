#pragma once

// The compile of one document as the bank compiler loads it from a project
// folder: the fuzzed bytes are written as that document beside a valid
// pargen.xml, then the whole compile runs. It may report or refuse, never
// fault, and never writes outside its images.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/banks/bank_compiler.h"
#include "core/error.h"

namespace fenwarp::fuzz {

class Quiet : public Messages {
  public:
    void show(const std::string&, MessageKind) override {}
};

inline const std::filesystem::path& project_folder() {
    static const std::filesystem::path folder = [] {
        // In the current folder: scripts/fuzz runs each target in a scratch
        // folder it removes, as libFuzzer ends without running atexit.
        auto dir = std::filesystem::absolute("fenwarp-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "pargen.xml")
            << "<ParametriGenerali><idA>1</idA><BoudA>10</BoudA><idB>1</idB><BoudB>250</BoudB>"
               "<timeoutsdo>1000</timeoutsdo><baudmodbus>0</baudmodbus><parity>0</parity>"
               "<ser>0</ser><devid>0</devid></ParametriGenerali>";
        return dir;
    }();
    return folder;
}

inline int compile_document(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& dir = project_folder();
    std::ofstream(dir / name, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    BankImages images;
    Quiet messages;
    try {
        (void)compile_banks(dir, images, messages);
    } catch (const Error&) {
    }
    return 0;
}

}  // namespace fenwarp::fuzz
