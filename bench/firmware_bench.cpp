// The one-pass patch of banks 1 and 2 into a 4 MB S-record template, beside srec_cat
// doing the same replacement and a plain copy of the template (the I/O floor),
// both in this process and as the cp program.
// bench/firmware_ratios.sh runs them side by side and prints the ratios.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/firmware/image_patch.h"
#include "core/firmware/s_record.h"

namespace {

namespace fs = std::filesystem;
using fenwarp::BankRanges;

// A work folder with the template, the two bank files and an output folder.
struct Workspace {
    fs::path dir = fs::temp_directory_path() / "fenwarp-firmware-bench";
    fs::path image = dir / "Brax_Traslate.sx";
    fs::path bin = dir / "bin";
    fs::path out = dir / "out";

    Workspace() {
        fs::create_directories(bin);
        fs::create_directories(out);
        write_template();
        write_bank(1);
        write_bank(2);
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    // S2 records of 32 bytes from 0x300000 on, until the file holds 4 MB.
    void write_template() const {
        std::mt19937 random(7);
        std::string text = "S00F000068656C6C6F202020202000003C\r\n";
        std::array<std::uint8_t, 32> data{};
        for (std::uint32_t address = 0x300000; text.size() < 4u << 20; address += 32) {
            for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
            text += fenwarp::s2_record(address, data) + "\r\n";
        }
        text += "S804300000CB\r\n";
        std::ofstream(image, std::ios::binary) << text;
    }
    void write_bank(int k) const {
        std::string bytes(BankRanges::size, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * k);
        std::ofstream(bin / ("bank" + std::to_string(k) + ".bin"), std::ios::binary) << bytes;
    }
};

Workspace& workspace() {
    static Workspace ws;
    return ws;
}

class Silent : public fenwarp::Messages {
  public:
    void show(const std::string& text, fenwarp::MessageKind) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

void BM_Patch(benchmark::State& state) {
    Workspace& ws = workspace();
    fenwarp::ImagePatch patch{
        ws.image, ws.out, "New_Brax_Traslate.sx", ws.bin, {true, true, false, false, false}};
    Silent messages;
    fenwarp::Progress progress;
    fenwarp::ProgressMeter meter(progress, {});
    for (auto _ : state) {
        if (!fenwarp::patch_image(patch, messages, meter).produced) state.SkipWithError("no image");
    }
}

void BM_SrecCat(benchmark::State& state) {
    Workspace& ws = workspace();
    const std::string command =
        "srec_cat '" + ws.image.string() +
        "' -exclude 0x388000 0x38C000 -exclude 0x398000 0x39C000 '" +
        (ws.bin / "bank1.bin").string() + "' -binary -offset 0x388000 '" +
        (ws.bin / "bank2.bin").string() + "' -binary -offset 0x398000 -o '" +
        (ws.out / "srec_cat.sx").string() + "' -obs=32 -address-length=3 -disable=data-count";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("srec_cat failed");
    }
}

// The copy in this process, to a fresh file: the strictest floor.
void BM_Copy(benchmark::State& state) {
    Workspace& ws = workspace();
    const fs::path copy = ws.out / "copy.sx";
    for (auto _ : state) {
        // A fresh file each time: rewriting one in place can wait for its old blocks.
        fs::remove(copy);
        std::ifstream in(ws.image, std::ios::binary | std::ios::ate);
        std::string text(static_cast<std::size_t>(in.tellg()), '\0');
        in.seekg(0);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        std::ofstream out(copy, std::ios::binary);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
}

// The copy as a program run on the files, on the same footing as srec_cat.
void BM_CopyCommand(benchmark::State& state) {
    Workspace& ws = workspace();
    const std::string command =
        "cp '" + ws.image.string() + "' '" + (ws.out / "cp.sx").string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
    }
}

}  // namespace

BENCHMARK(BM_Patch)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SrecCat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
