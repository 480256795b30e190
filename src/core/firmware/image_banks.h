#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/banks/bank_images.h"
#include "core/firmware/bank_ranges.h"

namespace fenwarp {

// The bank ranges of an S-record image, as a loader would put them in flash.
struct ImageBanks {
    BankImages images;  // bytes no record covers stay zero
    // Per bank: how many of its bytes a data record covers.
    std::array<std::size_t, BankRanges::count> covered{};
};

// Reads the data records (S1, S2, S3) up to the first end record; lines
// after it are not the loader's. A data record that is malformed or whose
// checksum does not match, or an image without end record, throws Error
// naming the line.
ImageBanks read_image_banks(std::string_view image);

}  // namespace fenwarp
