#include "core/firmware/s_record.h"

namespace fenwarp {
namespace {

constexpr char hex_digits[] = "0123456789ABCDEF";

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
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

void append_hex(std::string& text, std::uint8_t byte) {
    text += hex_digits[byte >> 4];
    text += hex_digits[byte & 0x0F];
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
    std::string text;
    text.reserve(4 + 2 * static_cast<std::size_t>(byte_count));
    text += 'S';
    text += static_cast<char>('0' + address_bytes - 1);
    append_hex(text, byte_count);
    for (int shift = 8 * (address_bytes - 1); shift >= 0; shift -= 8) {
        append_hex(text, static_cast<std::uint8_t>(address >> shift));
    }
    for (std::uint8_t byte : data) append_hex(text, byte);
    append_hex(text, record_checksum(byte_count, address, address_bytes, data));
    return text;
}

std::string s2_record(std::uint32_t address, std::span<const std::uint8_t, 32> data) {
    return data_record(3, address, data);
}

}  // namespace fenwarp
