// The S-record reader over any line: the head, the data bytes and the
// checksum are read without reading past the line, and a record it re-encodes
// reads back as the same head and bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/firmware/s_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    (void)fenwarp::record_kind(line);
    const auto head = fenwarp::data_record_head(line);
    if (!head) return 0;
    const auto bytes = fenwarp::data_record_bytes(line, *head);
    if (!bytes) return 0;
    (void)fenwarp::data_record_checksum_ok(line, *head, *bytes);
    if (bytes->size() > 250) return 0;
    const std::string again = fenwarp::data_record(head->address_bytes, head->address, *bytes);
    const auto head2 = fenwarp::data_record_head(again);
    if (!head2 || head2->address != head->address || head2->data_bytes != bytes->size())
        std::abort();
    const auto bytes2 = fenwarp::data_record_bytes(again, *head2);
    if (!bytes2 || *bytes2 != *bytes || !fenwarp::data_record_checksum_ok(again, *head2, *bytes2))
        std::abort();
    return 0;
}
