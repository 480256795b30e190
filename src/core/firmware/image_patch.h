#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "core/firmware/bank_ranges.h"
#include "core/firmware/progress.h"
#include "core/messages.h"

namespace fenwarp {

// A template's digest taken earlier, with the stamp its file had then.
struct KnownDigest {
    std::string stamp;  // FileStamp::key
    std::string sha256;
};

// What to patch: the banks chosen, from the bank folder, into a copy of the
// template written as output_dir/output_name.
struct ImagePatch {
    std::filesystem::path template_file;
    std::filesystem::path output_dir;
    std::string output_name;
    std::filesystem::path bank_dir;
    std::array<bool, BankRanges::count> banks{};
    // The template is one master file used for update after update: when the
    // file opened still has this stamp, its digest is taken from here instead
    // of hashing it again.
    std::optional<KnownDigest> known_template = std::nullopt;
    // A stamp is trusted only for a file last changed at least this long
    // before it was opened: a change within the same tick of the file
    // system's clock could leave the stamp as it was.
    std::chrono::seconds settle{2};
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
    // The template file's stamp when it was opened, if it had settled: the
    // key under which a later patch may reuse template_sha256.
    std::string template_stamp;
};

inline constexpr const char* image_not_created_message = "File New Sx Not Create,Abort Procedure";

// Reads the template once and writes the image once, every chosen bank
// spliced in on the way; the image replaces an older one by a single rename
// and only when the whole of it was written. Missing or malformed inputs are
// reported through messages and make nothing; a bank file must be a regular
// file of exactly 16384 bytes. An output that cannot be written throws Error.
// The progress runs over the template's bytes. The template and the image are
// hashed on threads of their own while the splice goes on.
PatchOutcome patch_image(const ImagePatch& patch, Messages& messages, ProgressMeter& progress);

}  // namespace fenwarp
