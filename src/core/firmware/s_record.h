#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fenwarp {

// The record kinds the patcher tells apart, by the first two characters
// (case-sensitive): data records S1/S2/S3, end records S7/S8/S9, the rest.
enum class RecordKind { Data, End, Other };

RecordKind record_kind(std::string_view line);

// What the front of a data record says: 2, 3 or 4 address bytes (S1, S2, S3),
// the address, and how many data bytes the byte count leaves.
struct DataRecordHead {
    int address_bytes = 3;
    std::uint32_t address = 0;
    std::size_t data_bytes = 0;
};

// The head of a data record, or nothing when its byte count or address digits
// are missing or not hexadecimal. The rest of the line is not read.
std::optional<DataRecordHead> data_record_head(std::string_view line);

// The data bytes of a data record, or nothing when the line is shorter than
// its byte count says or a digit is not hexadecimal.
std::optional<std::vector<std::uint8_t>> data_record_bytes(std::string_view line,
                                                           const DataRecordHead& head);

// True when the record's own checksum, after its data bytes, matches its byte
// count, address and data.
bool data_record_checksum_ok(std::string_view line, const DataRecordHead& head,
                             std::span<const std::uint8_t> data);

// The standard checksum: one's complement of the low byte of the sum of the
// byte count, the address bytes and the data bytes.
std::uint8_t record_checksum(std::uint8_t byte_count, std::uint32_t address, int address_bytes,
                             std::span<const std::uint8_t> data);

// A data record with 2, 3 or 4 address bytes (S1, S2, S3), uppercase, without
// line end. At most 250 data bytes.
std::string data_record(int address_bytes, std::uint32_t address,
                        std::span<const std::uint8_t> data);

// One S2 record of 32 data bytes: "S224", six address digits, 64 data digits
// and the checksum.
std::string s2_record(std::uint32_t address, std::span<const std::uint8_t, 32> data);

}  // namespace fenwarp
