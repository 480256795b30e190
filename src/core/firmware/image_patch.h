#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/firmware/bank_ranges.h"
#include "core/firmware/progress.h"
#include "core/messages.h"

namespace fenwarp {

// What to patch: the banks chosen, from the bank folder, into a copy of the
// template written as output_dir/output_name.
struct ImagePatch {
    std::filesystem::path template_file;
    std::filesystem::path output_dir;
    std::string output_name;
    std::filesystem::path bank_dir;
    std::array<bool, BankRanges::count> banks{};
};

struct PatchOutcome {
    // The output image was made by this run.
    bool produced = false;
    // Banks chosen whose range the image does not hold: not written.
    std::array<bool, BankRanges::count> no_record{};
    // Banks whose records now stand in the image.
    std::array<bool, BankRanges::count> patched{};
    std::string template_sha256;  // when produced
    std::string image_sha256;
};

inline constexpr const char* image_not_created_message = "File New Sx Not Create,Abort Procedure";

// Reads the template once and writes the image once, every chosen bank
// spliced in on the way; the image replaces an older one by a single rename
// and only when the whole of it was written. Missing or malformed inputs are
// reported through messages and make nothing; a bank file must be a regular
// file of exactly 16384 bytes. An output that cannot be written throws Error.
// The progress runs over the template's bytes.
PatchOutcome patch_image(const ImagePatch& patch, Messages& messages, ProgressMeter& progress);

}  // namespace fenwarp
