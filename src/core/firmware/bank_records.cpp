#include "core/firmware/bank_records.h"

#include <array>
#include <fstream>

#include "core/error.h"
#include "core/firmware/bank_ranges.h"
#include "core/firmware/s_record.h"

namespace fenwarp {
namespace {

using BankBytes = std::array<std::uint8_t, BankRanges::size>;

BankBytes read_bank(const std::filesystem::path& bank_file) {
    std::ifstream in(bank_file, std::ios::binary);
    if (!in) throw Error("Cannot read " + bank_file.string());
    BankBytes bytes{};
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) throw Error("Cannot read " + bank_file.string());
    return bytes;
}

}  // namespace

std::string bank_records(const std::filesystem::path& bank_file, std::uint32_t first_address) {
    const BankBytes bytes = read_bank(bank_file);
    std::string records;
    records.reserve(BankRanges::records_per_bank * 78);
    for (std::size_t r = 0; r < BankRanges::records_per_bank; ++r) {
        const std::size_t offset = r * BankRanges::record_bytes;
        std::span<const std::uint8_t, 32> piece(bytes.data() + offset, BankRanges::record_bytes);
        records += s2_record(first_address + static_cast<std::uint32_t>(offset), piece);
        records += "\r\n";
    }
    return records;
}

void write_bank_record_file(const std::filesystem::path& file, const std::string& records) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(records.data(), static_cast<std::streamsize>(records.size()));
    out.close();
    if (!out) throw Error("Cannot write " + file.string());
}

}  // namespace fenwarp
