#include "core/firmware/image_splicer.h"

#include <algorithm>
#include <cstring>

#include "core/firmware/bank_ranges.h"
#include "core/firmware/s_record.h"

namespace fenwarp {

ImageSplicer::ImageSplicer(std::string_view image, std::string_view records, int bank,
                           std::ostream& out, ProgressMeter& progress)
    : image_(image), records_(records), bank_(bank), out_(out), progress_(progress) {
    // One search for the line ends serves the count and the pass.
    line_ends_.reserve(image.size() / 64 + 1);
    const char* start = image.data();
    const char* at = start;
    const char* end = start + image.size();
    while (at < end) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        at = found == nullptr ? end : static_cast<const char*>(found) + 1;
        line_ends_.push_back(static_cast<std::size_t>(at - start));
    }
}

SpliceOutcome ImageSplicer::run() {
    std::size_t pos = 0;
    for (std::size_t next : line_ends_) {
        std::size_t end = image_[next - 1] == '\n' ? next - 1 : next;
        if (end > pos && image_[end - 1] == '\r') --end;
        std::string_view line = image_.substr(pos, end - pos);
        progress_.advance();
        if (!handle(line, pos, next)) {
            flush(pos);
            return SpliceOutcome::Failed;
        }
        pos = next;
    }
    flush(image_.size());
    // A last line without its line end gets one, as every written line has.
    if (last_kept_ && image_.back() != '\n') out_ << "\r\n";
    if (!out_ || !end_seen_) return SpliceOutcome::Failed;
    return bank_before_end_ ? SpliceOutcome::Written : SpliceOutcome::NoRecord;
}

bool ImageSplicer::handle(std::string_view line, std::size_t start, std::size_t next) {
    last_kept_ = true;
    if (line.empty()) return false;
    switch (record_kind(line)) {
        case RecordKind::Data:
            return handle_data(line, start, next);
        case RecordKind::End:
            // The last end record decides: a bank put in after it is not loaded.
            end_seen_ = true;
            bank_before_end_ = inserted_;
            return true;
        case RecordKind::Other:
            return true;
    }
    return true;
}

bool ImageSplicer::handle_data(std::string_view line, std::size_t start, std::size_t next) {
    std::optional<DataRecordHead> head = data_record_head(line);
    if (!head) return false;
    const std::uint64_t first = BankRanges::first(bank_);
    const std::uint64_t last = first + BankRanges::size;
    const std::uint64_t begin = head->address;
    const std::uint64_t end = begin + std::max<std::size_t>(head->data_bytes, 1);
    if (end <= first || begin >= last) return true;  // outside the range: kept as it is
    flush(start);
    run_start_ = next;
    last_kept_ = false;
    if (begin >= first && end <= last) {
        insert_bank();
        return true;
    }
    // A record across a bank edge keeps its bytes outside the bank, re-encoded.
    std::optional<std::vector<std::uint8_t>> bytes = data_record_bytes(line, *head);
    if (!bytes) return false;
    std::span<const std::uint8_t> data(*bytes);
    if (begin < first) write_piece(*head, head->address, data.first(first - begin));
    insert_bank();
    if (end > last) write_piece(*head, static_cast<std::uint32_t>(last), data.last(end - last));
    return true;
}

void ImageSplicer::insert_bank() {
    if (inserted_) return;
    out_.write(records_.data(), static_cast<std::streamsize>(records_.size()));
    progress_.advance(static_cast<long>(BankRanges::records_per_bank));
    inserted_ = true;
}

void ImageSplicer::write_piece(const DataRecordHead& head, std::uint32_t address,
                               std::span<const std::uint8_t> data) {
    out_ << data_record(head.address_bytes, address, data) << "\r\n";
}

void ImageSplicer::flush(std::size_t until) {
    if (until > run_start_) {
        out_.write(image_.data() + run_start_, static_cast<std::streamsize>(until - run_start_));
    }
    run_start_ = until;
}

}  // namespace fenwarp
