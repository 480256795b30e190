// Load and save of an sdo.xml with 1500 rows per page, and the import of a
// workbook, as .xls and as .xlsx with the same records. sdo_ratios.sh runs
// this and sets the variables below:
//   FENWARP_BENCH_DIR       folder for sdo.xml and sdo.xlsx (kept, so cat can read them)
//   FENWARP_BENCH_WORKBOOK  the .xls workbook to import
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/documents/sdo/sdo_editor.h"
#include "core/documents/sdo/sdo_table.h"

namespace {

std::filesystem::path bench_dir() {
    const char* dir = std::getenv("FENWARP_BENCH_DIR");
    std::filesystem::path path = dir != nullptr
                                     ? std::filesystem::path(dir)
                                     : std::filesystem::temp_directory_path() / "fenwarp-sdo-bench";
    std::filesystem::create_directories(path);
    return path;
}

// Both pages full, with texts of the lengths a real table has.
fenwarp::SdoEditor full_editor() {
    fenwarp::SdoEditor editor;
    for (int direction = 0; direction < 2; ++direction) {
        fenwarp::TextGrid& grid = editor.page(direction);
        for (std::size_t r = 1; r <= fenwarp::sdo::data_rows; ++r) {
            const std::size_t i = fenwarp::sdo::data_rows - r;  // saved in reverse order
            grid.set_cell(r, 1, r % 2 == 0 ? "1" : "0");
            grid.set_cell(r, 2, "0x" + std::to_string(2000 + i / 4));
            grid.set_cell(r, 3, std::to_string(i % 4));
            grid.set_cell(r, 4, std::to_string(1 + i % 127));
            grid.set_cell(r, 5, "0x" + std::to_string(6000 + i));
            grid.set_cell(r, 6, std::to_string(i % 8));
            grid.set_cell(r, 7, std::to_string(1 + i % 4));
            grid.set_cell(r, 8, "object " + std::to_string(i));
        }
    }
    return editor;
}

void BM_SdoSave(benchmark::State& state) {
    const fenwarp::SdoEditor editor = full_editor();
    const std::filesystem::path file = bench_dir() / "sdo.xml";
    for (auto _ : state) editor.save_document(file);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_SdoSave)->Unit(benchmark::kMillisecond);

void BM_SdoLoad(benchmark::State& state) {
    const std::filesystem::path file = bench_dir() / "sdo.xml";
    full_editor().save_document(file);
    fenwarp::SdoEditor editor;
    fenwarp::MessageRecorder messages;
    for (auto _ : state) editor.load(file, messages);
    if (!messages.texts.empty()) state.SkipWithError(messages.texts.front().c_str());
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_SdoLoad)->Unit(benchmark::kMillisecond);

void BM_SdoImport(benchmark::State& state) {
    const char* workbook = std::getenv("FENWARP_BENCH_WORKBOOK");
    if (workbook == nullptr) {
        state.SkipWithError("FENWARP_BENCH_WORKBOOK is not set");
        return;
    }
    fenwarp::SdoEditor editor;
    fenwarp::WorkbookAccess access;
    fenwarp::ImportResult result;
    for (auto _ : state) result = editor.import_workbook(workbook, access);
    if (result.status != fenwarp::ImportStatus::Completed) {
        state.SkipWithError(result.reason.c_str());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(result.records_taken));
}
BENCHMARK(BM_SdoImport)->Unit(benchmark::kMillisecond);

// The records of the .xls workbook, exported as sdo.xlsx and imported from there.
void BM_SdoImportXlsx(benchmark::State& state) {
    const char* workbook = std::getenv("FENWARP_BENCH_WORKBOOK");
    if (workbook == nullptr) {
        state.SkipWithError("FENWARP_BENCH_WORKBOOK is not set");
        return;
    }
    fenwarp::SdoEditor editor;
    fenwarp::WorkbookAccess access;
    fenwarp::ImportResult result = editor.import_workbook(workbook, access);
    editor.export_xlsx(bench_dir());
    const std::filesystem::path xlsx = bench_dir() / "sdo.xlsx";
    const std::size_t records = result.records_taken;
    for (auto _ : state) result = editor.import_workbook(xlsx, access);
    if (result.status != fenwarp::ImportStatus::Completed || result.records_taken != records) {
        state.SkipWithError(("sdo.xlsx: " + result.reason).c_str());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(result.records_taken));
}
BENCHMARK(BM_SdoImportXlsx)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
