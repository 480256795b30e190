#include "core/firmware/image_patch.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "core/banks/bank_files.h"
#include "core/error.h"
#include "core/file_system.h"
#include "core/firmware/bank_records.h"
#include "core/firmware/image_splicer.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/sha256_worker.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

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

// The image goes to its temporary file in large pieces, each hashed on the
// worker's thread while the next is spliced.
class HashingSink : public ImageSink {
  public:
    explicit HashingSink(OutputFile& out) : out_(out), buffer_(sha_.spare()) {}
    void write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
            std::memcpy(buffer_.data() + used_, bytes.data(), n);
            used_ += n;
            bytes.remove_prefix(n);
            if (used_ == buffer_.size()) flush();
        }
    }
    std::string hex() {
        flush();
        return sha_.hex();
    }

  private:
    void flush() {
        if (used_ == 0) return;
        buffer_.resize(used_);
        out_.write(std::string_view(buffer_.data(), used_));
        sha_.hash(std::move(buffer_));
        buffer_ = sha_.spare();
        used_ = 0;
    }

    OutputFile& out_;
    Sha256Worker sha_;
    Sha256Worker::Buffer buffer_;
    std::size_t used_ = 0;
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
    // The template is hashed on a thread of its own as it is read; a piece
    // goes to it once the splicer is done with it.
    Sha256Worker template_sha;
    progress.start(static_cast<long>(image.size()));
    for (;;) {
        Sha256Worker::Buffer piece = template_sha.spare();
        piece.resize(image.read(piece.data(), piece.size()));
        if (piece.empty()) break;
        const long got = static_cast<long>(piece.size());
        if (!splicer.feed(std::string_view(piece.data(), piece.size()))) break;
        template_sha.hash(std::move(piece));
        progress.advance(got);
    }
    const SpliceOutcome splice = splicer.finish();
    progress.finish();
    if (splice.failed) {
        messages.show(failure_text(splice));
        return outcome;  // the temporary file goes; an older image stays as it was
    }
    outcome.image_sha256 = sink.hex();  // writes the last piece
    out.commit();
    outcome.produced = true;
    outcome.no_record = splice.no_record;
    outcome.patched = splice.written;
    outcome.template_sha256 = template_sha.hex();
    return outcome;
}

}  // namespace fenwarp
