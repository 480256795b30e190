#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/firmware/progress.h"
#include "core/firmware/s_record.h"

namespace fenwarp {

// Written: an end record came after the bank was put in. NoRecord: an end
// record came, but no data record of the bank's range. Failed: no end record,
// an empty line, a data record without a readable address, or a write error.
enum class SpliceOutcome { Failed, NoRecord, Written };

// One pass over an S-record image, line by line. The lines it keeps are
// copied as they stand, in runs, so a large image costs little more than a
// copy; the bank's records take the place of the first data record of its
// range and the range's other data records are dropped. A record that
// crosses a bank edge keeps its bytes outside the bank, re-encoded.
class ImageSplicer {
  public:
    ImageSplicer(std::string_view image, std::string_view records, int bank, std::ostream& out,
                 ProgressMeter& progress);

    long line_count() const { return static_cast<long>(line_ends_.size()); }
    SpliceOutcome run();

  private:
    bool handle(std::string_view line, std::size_t start, std::size_t next);
    bool handle_data(std::string_view line, std::size_t start, std::size_t next);
    void insert_bank();
    void write_piece(const DataRecordHead& head, std::uint32_t address,
                     std::span<const std::uint8_t> data);
    void flush(std::size_t until);

    std::string_view image_;
    std::string_view records_;
    int bank_;
    std::ostream& out_;
    ProgressMeter& progress_;
    std::vector<std::size_t> line_ends_;  // just past each line's end
    std::size_t run_start_ = 0;           // first byte of the kept lines not yet written
    bool inserted_ = false;
    bool end_seen_ = false;
    bool bank_before_end_ = false;
    bool last_kept_ = false;
};

}  // namespace fenwarp
