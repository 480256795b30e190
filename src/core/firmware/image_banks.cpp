#include "core/firmware/image_banks.h"

#include <bitset>
#include <optional>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/firmware/s_record.h"

namespace fenwarp {
namespace {

[[noreturn]] void bad_line(long number, const std::string& reason) {
    throw Error("Image line " + std::to_string(number) + ": " + reason);
}

class BankCollector {
  public:
    void take(std::uint32_t address, std::uint8_t byte) {
        for (int k = 1; k <= BankRanges::count; ++k) {
            if (!BankRanges::contains(k, address)) continue;
            const std::uint32_t offset = address - BankRanges::first(k);
            banks_.images.bank(k)[offset] = byte;
            seen_[static_cast<std::size_t>(k - 1)].set(offset);
        }
    }

    ImageBanks finish() {
        for (std::size_t k = 0; k < seen_.size(); ++k) banks_.covered[k] = seen_[k].count();
        return std::move(banks_);
    }

  private:
    ImageBanks banks_;
    std::array<std::bitset<BankRanges::size>, BankRanges::count> seen_;
};

void read_data_record(std::string_view line, long number, BankCollector& collector) {
    std::optional<DataRecordHead> head = data_record_head(line);
    if (!head) bad_line(number, "data record without a valid byte count and address");
    std::optional<std::vector<std::uint8_t>> data = data_record_bytes(line, *head);
    if (!data) bad_line(number, "data record shorter than its byte count, or not hexadecimal");
    if (!data_record_checksum_ok(line, *head, *data)) bad_line(number, "checksum does not match");
    for (std::size_t i = 0; i < data->size(); ++i) {
        collector.take(head->address + static_cast<std::uint32_t>(i), (*data)[i]);
    }
}

}  // namespace

ImageBanks read_image_banks(std::string_view image) {
    BankCollector collector;
    long number = 0;
    while (!image.empty()) {
        const std::size_t end = image.find('\n');
        std::string_view line = image.substr(0, end);
        image.remove_prefix(end == std::string_view::npos ? image.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;
        switch (record_kind(line)) {
            case RecordKind::Data:
                read_data_record(line, number, collector);
                break;
            case RecordKind::End:
                return collector.finish();
            case RecordKind::Other:
                break;
        }
    }
    throw Error("The image has no end record (S7, S8 or S9): it may be cut short");
}

}  // namespace fenwarp
