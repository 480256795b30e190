#include "core/firmware/image_patch.h"

#include <optional>
#include <vector>

#include "core/banks/bank_files.h"
#include "core/error.h"
#include "core/file_system.h"
#include "core/firmware/bank_records.h"
#include "core/firmware/image_splicer.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/sha256.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

constexpr std::size_t piece_size = 1 << 16;  // the progress moves every piece
using BankRecords = std::array<std::string, BankRanges::count>;

std::string abort_text(const std::string& what) {
    return what + ",Abort Procedure";
}

bool any_bank(const ImagePatch& patch) {
    for (bool chosen : patch.banks) {
        if (chosen) return true;
    }
    return false;
}

// The records of bank k, or nothing after a message naming its file.
std::optional<std::string> read_bank(const ImagePatch& patch, int k, Messages& messages) {
    const std::string name = bank_file_name(k);
    InputFile file(join_path(patch.bank_dir, name));
    switch (file.status()) {
        case InputFile::Status::Missing:
            messages.show(abort_text("File " + name + " Not Found"));
            return std::nullopt;
        case InputFile::Status::NotRegular:
            messages.show(abort_text("File " + name + " is not a regular file"));
            return std::nullopt;
        case InputFile::Status::Unreadable:
            throw Error("Cannot read " + join_path(patch.bank_dir, name).string());
        case InputFile::Status::Open:
            break;
    }
    // A bank file cut short (a full disk, a compile killed) would send zero
    // bytes, parameter block and directory included, to the device.
    const std::string bytes = file.read_all();
    if (bytes.size() != BankRanges::size) {
        messages.show(abort_text("File " + name + " is not " + std::to_string(BankRanges::size) +
                                 " bytes long"));
        return std::nullopt;
    }
    std::span<const std::uint8_t, BankRanges::size> bank(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), BankRanges::size);
    return bank_records(bank, BankRanges::first(k));
}

// The checks before anything is written, each with its own message.
std::optional<BankRecords> gather_inputs(const ImagePatch& patch, InputFile& image,
                                         Messages& messages) {
    if (image.status() == InputFile::Status::Missing) {
        messages.show(abort_text("File *.Sx Not Found"));
        return std::nullopt;
    }
    if (image.status() == InputFile::Status::NotRegular) {
        messages.show(abort_text("File " + patch.template_file.filename().string() +
                                 " is not a regular file"));
        return std::nullopt;
    }
    if (image.status() == InputFile::Status::Unreadable) {
        throw Error("Cannot read " + patch.template_file.string());
    }
    if (patch.output_name.empty()) {
        messages.show(abort_text("File New *.Sx Not Found"));
        return std::nullopt;
    }
    if (any_bank(patch) && !is_folder(patch.bank_dir)) {
        messages.show(abort_text("Directory Bin Not Found"));
        return std::nullopt;
    }
    BankRecords records;
    for (int k = 1; k <= BankRanges::count; ++k) {
        if (!patch.banks[static_cast<std::size_t>(k - 1)]) continue;
        std::optional<std::string> bank = read_bank(patch, k, messages);
        if (!bank) return std::nullopt;
        records[static_cast<std::size_t>(k - 1)] = std::move(*bank);
    }
    return records;
}

// The image goes to its temporary file and into its digest together.
class HashingSink : public ImageSink {
  public:
    explicit HashingSink(OutputFile& out) : out_(out) {}
    void write(std::string_view bytes) override {
        out_.write(bytes);
        sha_.update(bytes);
    }
    std::string hex() { return sha_.hex(); }

  private:
    OutputFile& out_;
    Sha256 sha_;
};

std::string failure_text(const SpliceOutcome& splice) {
    if (splice.line == 0)
        return image_not_created_message + std::string(" (") + splice.reason + ")";
    return image_not_created_message + std::string(" (line ") + std::to_string(splice.line) + ": " +
           splice.reason + ")";
}

}  // namespace

PatchOutcome patch_image(const ImagePatch& patch, Messages& messages, ProgressMeter& progress) {
    progress.reset();
    PatchOutcome outcome;
    InputFile image(patch.template_file);
    std::optional<BankRecords> records = gather_inputs(patch, image, messages);
    if (!records) return outcome;

    OutputFile out(patch.output_dir / patch.output_name);
    HashingSink sink(out);
    ImageSplicer splicer(*records, sink);
    Sha256 template_sha;
    progress.start(static_cast<long>(image.size()));
    std::vector<char> piece(piece_size);
    while (std::size_t got = image.read(piece.data(), piece.size())) {
        const std::string_view bytes(piece.data(), got);
        template_sha.update(bytes);
        if (!splicer.feed(bytes)) break;
        progress.advance(static_cast<long>(got));
    }
    const SpliceOutcome splice = splicer.finish();
    progress.finish();
    if (splice.failed) {
        messages.show(failure_text(splice));
        return outcome;  // the temporary file goes; an older image stays as it was
    }
    out.commit();
    outcome.produced = true;
    outcome.no_record = splice.no_record;
    outcome.patched = splice.written;
    outcome.template_sha256 = template_sha.hex();
    outcome.image_sha256 = sink.hex();
    return outcome;
}

}  // namespace fenwarp
