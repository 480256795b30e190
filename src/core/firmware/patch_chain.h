#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/firmware/bank_ranges.h"
#include "core/firmware/progress.h"
#include "core/messages.h"

namespace fenwarp {

// The five steps of a patch run: step k writes bank k into the image of step
// k - 1, through the intermediate images "°B1°.sx" to "°B4°.sx" in the output
// folder, and step 5 writes the output name.
struct PatchChain {
    std::filesystem::path template_file;  // the image to start from, with its folder
    std::filesystem::path output_dir;
    std::string output_name;
    std::filesystem::path bank_dir;
    std::array<bool, BankRanges::count> banks{};  // which banks are patched; the rest pass through
};

struct ChainOutcome {
    // The output image was made by this run: every step ran and none failed.
    bool produced = false;
    // Banks that were patched but found no data record of their range.
    std::array<bool, BankRanges::count> no_record{};
};

// File name of the intermediate image of step k ("°B1°.sx" .. "°B5°.sx").
std::filesystem::path intermediate_name(int k);

// Runs the steps in order, stopping at the first that fails, and deletes the
// intermediate images "°B1°.sx" to "°B5°.sx" at the end, however it ends.
ChainOutcome patch_chain(const PatchChain& chain, Messages& messages, ProgressMeter& progress);

}  // namespace fenwarp
