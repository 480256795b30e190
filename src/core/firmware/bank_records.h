#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace fenwarp {

// The 512 S2 records of one bank, each followed by CR LF, from the bank file.
// Only the file's first 16384 bytes are used; a shorter file is read to its
// end and the rest of the bank is zero, as in a freshly compiled bank.
// Throws Error when the file cannot be read.
std::string bank_records(const std::filesystem::path& bank_file, std::uint32_t first_address);

// Writes the records as the bank record file "Bin.sx"; throws Error on failure.
void write_bank_record_file(const std::filesystem::path& file, const std::string& records);

}  // namespace fenwarp
