// The bank decoder over any parameter block and table bytes: a directory
// that points anywhere is refused or read within its bank, every value reads
// back through its document text, and decoded banks equal themselves.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/banks/bank_decoder.h"
#include "core/banks/bank_diff.h"
#include "core/banks/bank_value.h"
#include "core/banks/decode_notes.h"
#include "core/banks/decoded_listing.h"
#include "core/banks/decoded_text.h"
#include "core/error.h"
#include "core/messages.h"

namespace {

// The input's first 53 bytes are the parameter block; the rest is laid at
// the start of both banks, where the tables begin.
fenwarp::BankImages banks_of(const std::uint8_t* data, std::size_t size) {
    fenwarp::BankImages images;
    const std::size_t block = std::min(size, fenwarp::parameter_block_size);
    std::copy_n(data, block, images.bank(2).begin() + fenwarp::parameter_block_offset);
    const std::size_t rest = std::min(size - block, fenwarp::parameter_block_offset);
    std::copy_n(data + block, rest, images.bank(1).begin());
    std::copy_n(data + block, rest, images.bank(2).begin());
    return images;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fenwarp::DecodedBanks decoded;
    try {
        decoded = fenwarp::decode_banks(banks_of(data, size));
    } catch (const fenwarp::Error&) {
        return 0;
    }
    // The text checks walk a few records of each table: a full bank holds
    // thousands, and the same loop over all of them finds nothing more.
    constexpr std::size_t checked = 16;
    fenwarp::MessageRecorder messages;
    std::size_t total = 0;
    for (const fenwarp::DecodedTable& table : decoded.tables) {
        total += table.records.size();
        for (std::size_t r = 0; r < table.records.size() && r < checked; ++r) {
            const auto& record = table.records[r];
            for (std::size_t f = 0; f < record.size(); ++f) {
                const fenwarp::Field& field = table.layout().fields[f];
                const std::string text = fenwarp::field_text(field, record[f]);
                if (fenwarp::bank_value(text, messages) != record[f]) std::abort();
            }
        }
    }
    if (!messages.texts.empty()) std::abort();
    if (total <= checked) (void)fenwarp::decoded_listing(decoded);
    (void)fenwarp::decode_notes(decoded);
    if (!fenwarp::diff_banks(decoded, decoded).equal()) std::abort();
    return 0;
}
