#include "core/firmware/patch_chain.h"

#include <system_error>

#include "core/file_system.h"
#include "core/firmware/patch_step.h"

namespace fenwarp {
namespace {

// The intermediate images belong to the run that made them.
class IntermediateImages {
  public:
    explicit IntermediateImages(std::filesystem::path dir) : dir_(std::move(dir)) {}
    ~IntermediateImages() {
        for (int k = 1; k <= BankRanges::count; ++k) remove_quietly(dir_ / intermediate_name(k));
    }
    IntermediateImages(const IntermediateImages&) = delete;
    IntermediateImages& operator=(const IntermediateImages&) = delete;

  private:
    std::filesystem::path dir_;
};

std::filesystem::path stage_file(const PatchChain& chain, int k) {
    if (k == 0) return chain.template_file;
    if (k == BankRanges::count) return chain.output_dir / chain.output_name;
    return chain.output_dir / intermediate_name(k);
}

// A bank left out passes the image of the step before on unchanged. The
// template itself is copied, never moved, so that it stays for the next run.
void pass_through(const PatchChain& chain, int k) {
    const std::filesystem::path from = stage_file(chain, k - 1);
    const std::filesystem::path to = stage_file(chain, k);
    remove_quietly(to);
    std::error_code ignored;  // a step that fails to pass the image on finds no input
    if (k == 1) {
        std::filesystem::copy_file(from, to, ignored);
    } else {
        std::filesystem::rename(from, to, ignored);
    }
}

}  // namespace

std::filesystem::path intermediate_name(int k) {
    std::u8string name = u8"\u00B0B";
    name += static_cast<char8_t>(u8'0' + k);
    name += u8"\u00B0.sx";
    return std::filesystem::path(name);
}

ChainOutcome patch_chain(const PatchChain& chain, Messages& messages, ProgressMeter& progress) {
    IntermediateImages cleanup(chain.output_dir);
    ChainOutcome outcome;
    for (int k = 1; k <= BankRanges::count; ++k) {
        if (!chain.banks[static_cast<std::size_t>(k - 1)]) {
            pass_through(chain, k);
            continue;
        }
        PatchStep step{k, stage_file(chain, k - 1), stage_file(chain, k), chain.bank_dir,
                       chain.output_name};
        StepResult result = patch_step(step, messages, progress);
        if (result == StepResult::Failed) return outcome;
        outcome.no_record[static_cast<std::size_t>(k - 1)] = result == StepResult::NoRecord;
    }
    outcome.produced = is_file(stage_file(chain, BankRanges::count));
    return outcome;
}

}  // namespace fenwarp
