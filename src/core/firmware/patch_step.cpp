#include "core/firmware/patch_step.h"

#include <fstream>
#include <memory>
#include <string_view>

#include "core/banks/bank_files.h"
#include "core/error.h"
#include "core/file_system.h"
#include "core/firmware/bank_ranges.h"
#include "core/firmware/bank_records.h"
#include "core/firmware/image_splicer.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

constexpr const char* not_created = "File New Sx Not Create,Abort Procedure";

// The checks before anything is written, each with its own message.
bool inputs_present(const PatchStep& step, Messages& messages) {
    const char* missing = nullptr;
    std::string bank_missing;
    if (!is_file(step.input)) {
        missing = "File *.Sx Not Found,Abort Procedure";
    } else if (step.output_name.empty()) {
        missing = "File New *.Sx Not Found,Abort Procedure";
    } else if (!is_folder(step.bank_dir)) {
        missing = "Directory Bin Not Found,Abort Procedure";
    } else if (!is_file(join_path(step.bank_dir, bank_file_name(step.bank)))) {
        bank_missing = "File " + bank_file_name(step.bank) + " Not Found,Abort Procedure";
        missing = bank_missing.c_str();
    }
    if (missing != nullptr) messages.show(missing);
    return missing == nullptr;
}

// The whole image at once; its bytes are not zeroed first, the read fills them.
struct ImageText {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    std::string_view view() const { return {bytes.get(), size}; }
};

ImageText read_image(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) throw Error("Cannot read " + file.string());
    ImageText text;
    text.size = static_cast<std::size_t>(in.tellg());
    text.bytes.reset(new char[text.size]);
    in.seekg(0);
    in.read(text.bytes.get(), static_cast<std::streamsize>(text.size));
    if (!in) throw Error("Cannot read " + file.string());
    return text;
}

// "Bin.sx" lives only while its step runs, whatever ends the step.
class RecordFile {
  public:
    RecordFile(std::filesystem::path path, const std::string& records) : path_(std::move(path)) {
        write_bank_record_file(path_, records);
    }
    ~RecordFile() { remove_quietly(path_); }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

  private:
    std::filesystem::path path_;
};

StepResult splice_into(const PatchStep& step, const std::string& records, ProgressMeter& progress,
                       Messages& messages) {
    const ImageText text = read_image(step.input);
    const std::string_view image = text.view();
    std::ofstream out;
    ImageSplicer splicer(image, records, step.bank, out, progress);
    progress.start(splicer.line_count() + static_cast<long>(BankRanges::records_per_bank));
    out.open(step.output, std::ios::binary | std::ios::trunc);
    if (!out) throw Error("Cannot write " + step.output.string());
    SpliceOutcome outcome = splicer.run();
    out.close();
    progress.finish();
    if (outcome == SpliceOutcome::Failed || !out) {
        messages.show(not_created);
        return StepResult::Failed;
    }
    return outcome == SpliceOutcome::Written ? StepResult::Written : StepResult::NoRecord;
}

}  // namespace

StepResult patch_step(const PatchStep& step, Messages& messages, ProgressMeter& progress) {
    progress.reset();
    if (!inputs_present(step, messages)) return StepResult::Failed;
    const std::string records = bank_records(join_path(step.bank_dir, bank_file_name(step.bank)),
                                             BankRanges::first(step.bank));
    RecordFile record_file(join_path(step.bank_dir, "Bin.sx"), records);
    StepResult result = splice_into(step, records, progress, messages);
    // A half-made image must not be taken for a patched one.
    if (result == StepResult::Failed) remove_quietly(step.output);
    return result;
}

}  // namespace fenwarp
