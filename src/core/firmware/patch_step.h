#pragma once

#include <filesystem>
#include <string>

#include "core/firmware/progress.h"
#include "core/messages.h"

namespace fenwarp {

// What one patch step did: failed (the chain stops), found no data record of
// the bank's range (nothing written), or wrote the bank into the image.
enum class StepResult { Failed = -1, NoRecord = 0, Written = 1 };

struct PatchStep {
    int bank = 1;                    // 1 to 5
    std::filesystem::path input;     // image to read
    std::filesystem::path output;    // image to write
    std::filesystem::path bank_dir;  // holds "bank1.bin" to "bank5.bin"
    std::string output_name;         // the dialog's output name; must not be empty
};

// Copies the input image to the output, putting the 512 S2 records of the
// bank file in place of the first data record of the bank's range and
// dropping the other data records of that range; every other line is copied
// as it is, in order. Missing files and malformed lines are reported through
// messages and fail the step (a failed step leaves no output behind); files
// that cannot be opened or written throw Error.
StepResult patch_step(const PatchStep& step, Messages& messages, ProgressMeter& progress);

}  // namespace fenwarp
