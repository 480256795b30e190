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

// The template piece by piece, for the splicer and the progress; the pieces
// are read into the digest's larger buffers, each handed over once the
// splicer is done with its last piece. With the digest known, nothing is
// hashed.
class TemplateReader {
  public:
    static constexpr std::size_t piece_size = 1 << 16;

    TemplateReader(InputFile& file, bool hash) : file_(file) {
        if (hash) sha_.emplace();
    }
    // The next piece, empty at the end; the one before is no longer used.
    std::string_view next() {
        if (used_ == buffer_.size()) {
            if (sha_) {
                if (used_ > 0) sha_->hash(std::move(buffer_));
                buffer_ = sha_->spare();
            } else if (buffer_.empty()) {
                buffer_.resize(Sha256Worker::buffer_size);
            }
            used_ = 0;
        }
        const std::size_t room = std::min(piece_size, buffer_.size() - used_);
        const std::size_t got = file_.read(buffer_.data() + used_, room);
        const std::string_view piece(buffer_.data() + used_, got);
        used_ += got;
        if (got == 0) finish();
        return piece;
    }
    std::string hex() { return sha_ ? sha_->hex() : std::string(); }

  private:
    void finish() {
        buffer_.resize(used_);
        if (sha_ && used_ > 0) sha_->hash(std::move(buffer_));
        buffer_.clear();
        used_ = 0;
    }

    InputFile& file_;
    std::optional<Sha256Worker> sha_;
    Sha256Worker::Buffer buffer_;
    std::size_t used_ = 0;
};

// The stamp of the opened template, when it changed long enough ago to be
// trusted as the key of its digest.
std::string settled_stamp(const InputFile& image, std::chrono::seconds settle) {
    if (!image.stamp()) return "";
    if (std::chrono::system_clock::now() - image.stamp()->changed < settle) return "";
    return image.stamp()->key;
}

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
    const std::string stamp = settled_stamp(image, patch.settle);
    const bool known = !stamp.empty() && patch.known_template &&
                       patch.known_template->stamp == stamp &&
                       !patch.known_template->sha256.empty();
    TemplateReader reader(image, !known);
    progress.start(static_cast<long>(image.size()));
    for (std::string_view piece = reader.next(); !piece.empty(); piece = reader.next()) {
        if (!splicer.feed(piece)) break;
        progress.advance(static_cast<long>(piece.size()));
    }
    SpliceOutcome splice = splicer.finish();
    progress.finish();
    // A template written while it was read gives an image of mixed bytes and
    // a digest of neither version.
    if (!splice.failed && image.stamp() && image.stamp_now() &&
        image.stamp_now()->key != image.stamp()->key) {
        splice = SpliceOutcome{true, 0, "the template was changed while it was read", {}, {}};
    }
    if (splice.failed) {
        messages.show(failure_text(splice));
        return outcome;  // the temporary file goes; an older image stays as it was
    }
    outcome.image_sha256 = sink.hex();  // writes the last piece
    out.commit();
    outcome.produced = true;
    outcome.no_record = splice.no_record;
    outcome.patched = splice.written;
    outcome.template_sha256 = known ? patch.known_template->sha256 : reader.hex();
    outcome.template_stamp = stamp;
    return outcome;
}

}  // namespace fenwarp
