#include "core/firmware/s_record.h"

#include <array>

namespace fenwarp {
namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

// Digit values by character, -1 for what is not a hexadecimal digit: every
// line of an image passes through here.
constexpr std::array<signed char, 256> hex_table = [] {
    std::array<signed char, 256> table{};
    table.fill(-1);
    for (int i = 0; i < 10; ++i) table['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        table['A' + i] = static_cast<signed char>(10 + i);
        table['a' + i] = static_cast<signed char>(10 + i);
    }
    return table;
}();

int hex_value(char c) {
    return hex_table[static_cast<unsigned char>(c)];
}

// The number written by the digits, or nothing when one is not hexadecimal.
std::optional<std::uint32_t> hex_number(std::string_view digits) {
    std::uint32_t value = 0;
    for (char c : digits) {
        int digit = hex_value(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

char* put_hex(char* at, std::uint8_t byte) {
    at[0] = hex_digits[byte >> 4];
    at[1] = hex_digits[byte & 0x0F];
    return at + 2;
}

}  // namespace

RecordKind record_kind(std::string_view line) {
    if (line.size() < 2 || line[0] != 'S') return RecordKind::Other;
    switch (line[1]) {
        case '1':
        case '2':
        case '3':
            return RecordKind::Data;
        case '7':
        case '8':
        case '9':
            return RecordKind::End;
        default:
            return RecordKind::Other;
    }
}

std::optional<DataRecordHead> data_record_head(std::string_view line) {
    if (record_kind(line) != RecordKind::Data) return std::nullopt;
    DataRecordHead head;
    head.address_bytes = line[1] - '0' + 1;
    const std::size_t digits = 2 * static_cast<std::size_t>(head.address_bytes);
    if (line.size() < 4 + digits) return std::nullopt;
    std::optional<std::uint32_t> count = hex_number(line.substr(2, 2));
    std::optional<std::uint32_t> address = hex_number(line.substr(4, digits));
    if (!count || !address) return std::nullopt;
    head.address = *address;
    const std::uint32_t overhead = static_cast<std::uint32_t>(head.address_bytes) + 1;
    head.data_bytes = *count > overhead ? *count - overhead : 0;
    return head;
}

std::optional<std::vector<std::uint8_t>> data_record_bytes(std::string_view line,
                                                           const DataRecordHead& head) {
    const std::size_t start = 4 + 2 * static_cast<std::size_t>(head.address_bytes);
    if (line.size() < start + 2 * head.data_bytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(head.data_bytes);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::optional<std::uint32_t> byte = hex_number(line.substr(start + 2 * i, 2));
        if (!byte) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(*byte);
    }
    return bytes;
}

bool data_record_checksum_ok(std::string_view line, const DataRecordHead& head,
                             std::span<const std::uint8_t> data) {
    const std::size_t at = 4 + 2 * static_cast<std::size_t>(head.address_bytes) + 2 * data.size();
    if (line.size() < at + 2) return false;
    std::optional<std::uint32_t> count = hex_number(line.substr(2, 2));
    std::optional<std::uint32_t> stated = hex_number(line.substr(at, 2));
    if (!count || !stated) return false;
    return *stated == record_checksum(static_cast<std::uint8_t>(*count), head.address,
                                      head.address_bytes, data);
}

std::uint8_t record_checksum(std::uint8_t byte_count, std::uint32_t address, int address_bytes,
                             std::span<const std::uint8_t> data) {
    unsigned sum = byte_count;
    for (int i = 0; i < address_bytes; ++i) sum += (address >> (8 * i)) & 0xFF;
    for (std::uint8_t byte : data) sum += byte;
    return static_cast<std::uint8_t>(~sum & 0xFF);
}

std::string data_record(int address_bytes, std::uint32_t address,
                        std::span<const std::uint8_t> data) {
    const auto byte_count = static_cast<std::uint8_t>(address_bytes + data.size() + 1);
    // Digits go straight into the text's buffer: a bank is 512 of these per step.
    std::string text(4 + 2 * static_cast<std::size_t>(byte_count), '\0');
    char* at = text.data();
    *at++ = 'S';
    *at++ = static_cast<char>('0' + address_bytes - 1);
    at = put_hex(at, byte_count);
    for (int shift = 8 * (address_bytes - 1); shift >= 0; shift -= 8) {
        at = put_hex(at, static_cast<std::uint8_t>(address >> shift));
    }
    for (std::uint8_t byte : data) at = put_hex(at, byte);
    put_hex(at, record_checksum(byte_count, address, address_bytes, data));
    return text;
}

std::string s2_record(std::uint32_t address, std::span<const std::uint8_t, 32> data) {
    return data_record(3, address, data);
}

}  // namespace fenwarp
