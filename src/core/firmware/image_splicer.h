#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/firmware/bank_ranges.h"
#include "core/firmware/s_record.h"

namespace fenwarp {

// Where the splicer's output goes.
class ImageSink {
  public:
    virtual ~ImageSink() = default;
    virtual void write(std::string_view bytes) = 0;
};

// How a splice ended. On failure `line` is the template line that stopped it
// (counted from 1; 0 when the image ended without an end record).
struct SpliceOutcome {
    bool failed = false;
    long line = 0;
    std::string reason;
    // Per bank: its records stand before the image's last end record.
    std::array<bool, BankRanges::count> written{};
    // Per bank patched: the image held no data record of its range before its
    // last end record.
    std::array<bool, BankRanges::count> no_record{};
};

// One pass over an S-record image, fed piece by piece, splicing every
// selected bank at once: the 512 records of a bank take the place of the
// first data record of its range, the range's other data records are
// dropped, and a record across a bank edge keeps its bytes outside the bank,
// re-encoded after its own checksum was checked. Every other line is copied
// as it stands, in runs. Lines after an end record are never a fault: the
// loader stops at the end record. Memory is one pending line plus the pieces
// fed; nothing indexes the image ahead of reading it.
class ImageSplicer {
  public:
    // records[k - 1]: the records of bank k with CR LF line ends, or empty
    // when bank k is not patched. With no bank to patch the image is copied
    // byte for byte.
    ImageSplicer(const std::array<std::string, BankRanges::count>& records, ImageSink& out);

    // The next piece of the image; false once the splice has failed.
    bool feed(std::string_view piece);
    // The image has ended.
    SpliceOutcome finish();

  private:
    bool take_line(std::string_view raw, bool in_piece);
    enum class Fate { Keep, Replaced, Fail };
    Fate handle(std::string_view line);
    Fate handle_data(std::string_view line);
    Fate fail(const char* reason);
    void insert_bank(int bank);
    void write_piece(const DataRecordHead& head, std::uint32_t address,
                     std::span<const std::uint8_t> data);
    void flush_run();

    const std::array<std::string, BankRanges::count>& records_;
    ImageSink& out_;
    bool copy_only_ = true;
    std::string pending_;              // a line begun in an earlier piece
    const char* run_begin_ = nullptr;  // kept lines of the current piece not yet written
    const char* run_end_ = nullptr;
    long line_number_ = 0;
    bool end_seen_ = false;
    std::array<bool, BankRanges::count> inserted_{};
    SpliceOutcome outcome_;
};

}  // namespace fenwarp
