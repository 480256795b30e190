#include "core/firmware/image_splicer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fenwarp {

ImageSplicer::ImageSplicer(const std::array<std::string, BankRanges::count>& records,
                           ImageSink& out)
    : records_(records), out_(out) {
    copy_only_ =
        std::all_of(records.begin(), records.end(), [](const std::string& r) { return r.empty(); });
}

bool ImageSplicer::feed(std::string_view piece) {
    if (outcome_.failed) return false;
    if (copy_only_) {
        out_.write(piece);
        return true;
    }
    const char* at = piece.data();
    const char* end = at + piece.size();
    run_begin_ = run_end_ = nullptr;
    if (!pending_.empty()) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        if (found == nullptr) {
            pending_.append(at, end);
            return true;
        }
        const char* next = static_cast<const char*>(found) + 1;
        pending_.append(at, next);
        at = next;
        if (!take_line(pending_, false)) return false;
        pending_.clear();
    }
    run_begin_ = run_end_ = at;
    while (at < end) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        if (found == nullptr) break;
        const char* next = static_cast<const char*>(found) + 1;
        if (!take_line(std::string_view(at, static_cast<std::size_t>(next - at)), true)) {
            return false;
        }
        at = next;
    }
    flush_run();
    pending_.assign(at, end);
    return true;
}

SpliceOutcome ImageSplicer::finish() {
    if (outcome_.failed || copy_only_) return outcome_;
    // A last line without its line end gets one, as every written line has.
    if (!pending_.empty() && take_line(pending_, false)) pending_.clear();
    if (outcome_.failed) return outcome_;
    if (!end_seen_) {
        line_number_ = 0;
        fail("the image has no end record");
        return outcome_;
    }
    for (std::size_t k = 0; k < records_.size(); ++k) {
        outcome_.no_record[k] = !records_[k].empty() && !outcome_.written[k];
    }
    return outcome_;
}

// `raw` is the line with its line end, if it has one.
bool ImageSplicer::take_line(std::string_view raw, bool in_piece) {
    ++line_number_;
    std::string_view line = raw;
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    switch (handle(line)) {
        case Fate::Fail:
            return false;
        case Fate::Replaced:
            if (in_piece) run_begin_ = run_end_ = raw.data() + raw.size();
            return true;
        case Fate::Keep:
            if (in_piece) {
                run_end_ = raw.data() + raw.size();
            } else {
                out_.write(raw);
                if (raw.back() != '\n') out_.write("\r\n");
            }
            return true;
    }
    return true;
}

ImageSplicer::Fate ImageSplicer::handle(std::string_view line) {
    if (line.empty()) return end_seen_ ? Fate::Keep : fail("empty line");
    switch (record_kind(line)) {
        case RecordKind::Data:
            return handle_data(line);
        case RecordKind::End:
            // The last end record decides: a bank put in after it is not loaded.
            end_seen_ = true;
            outcome_.written = inserted_;
            return Fate::Keep;
        case RecordKind::Other:
            return Fate::Keep;
    }
    return Fate::Keep;
}

ImageSplicer::Fate ImageSplicer::handle_data(std::string_view line) {
    std::optional<DataRecordHead> head = data_record_head(line);
    if (!head) return end_seen_ ? Fate::Keep : fail("data record without a readable address");
    const std::uint64_t begin = head->address;
    const std::uint64_t end = begin + std::max<std::size_t>(head->data_bytes, 1);
    int bank = 0;
    for (int k = 1; k <= BankRanges::count && bank == 0; ++k) {
        if (records_[static_cast<std::size_t>(k - 1)].empty()) continue;
        if (end > BankRanges::first(k) && begin < BankRanges::first(k) + BankRanges::size) bank = k;
    }
    if (bank == 0) return Fate::Keep;  // outside every patched range: kept as it is
    const std::uint64_t first = BankRanges::first(bank);
    const std::uint64_t last = first + BankRanges::size;
    if (begin >= first && end <= last) {
        flush_run();
        insert_bank(bank);
        return Fate::Replaced;
    }
    // A record across a bank edge keeps its bytes outside the bank, re-encoded:
    // a corrupt byte must not leave as valid data under a fresh checksum.
    std::optional<std::vector<std::uint8_t>> bytes = data_record_bytes(line, *head);
    if (!bytes) return end_seen_ ? Fate::Keep : fail("data record shorter than its byte count");
    if (!data_record_checksum_ok(line, *head, *bytes)) {
        return end_seen_ ? Fate::Keep : fail("checksum error");
    }
    flush_run();
    std::span<const std::uint8_t> data(*bytes);
    if (begin < first) write_piece(*head, head->address, data.first(first - begin));
    insert_bank(bank);
    if (end > last) write_piece(*head, static_cast<std::uint32_t>(last), data.last(end - last));
    return Fate::Replaced;
}

ImageSplicer::Fate ImageSplicer::fail(const char* reason) {
    outcome_.failed = true;
    outcome_.line = line_number_;
    outcome_.reason = reason;
    return Fate::Fail;
}

void ImageSplicer::insert_bank(int bank) {
    auto& inserted = inserted_[static_cast<std::size_t>(bank - 1)];
    if (inserted) return;
    out_.write(records_[static_cast<std::size_t>(bank - 1)]);
    inserted = true;
}

void ImageSplicer::write_piece(const DataRecordHead& head, std::uint32_t address,
                               std::span<const std::uint8_t> data) {
    out_.write(data_record(head.address_bytes, address, data) + "\r\n");
}

void ImageSplicer::flush_run() {
    if (run_end_ != run_begin_) {
        out_.write(std::string_view(run_begin_, static_cast<std::size_t>(run_end_ - run_begin_)));
    }
    run_begin_ = run_end_;
}

}  // namespace fenwarp
