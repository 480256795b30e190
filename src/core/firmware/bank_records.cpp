#include "core/firmware/bank_records.h"

#include "core/firmware/s_record.h"

namespace fenwarp {

std::string bank_records(std::span<const std::uint8_t, BankRanges::size> bank,
                         std::uint32_t first_address) {
    std::string records;
    records.reserve(BankRanges::records_per_bank * 78);
    for (std::size_t r = 0; r < BankRanges::records_per_bank; ++r) {
        const std::size_t offset = r * BankRanges::record_bytes;
        std::span<const std::uint8_t, 32> piece(bank.data() + offset, BankRanges::record_bytes);
        records += s2_record(first_address + static_cast<std::uint32_t>(offset), piece);
        records += "\r\n";
    }
    return records;
}

}  // namespace fenwarp
