#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "core/banks/bank_images.h"
#include "core/banks/table_directory.h"
#include "core/messages.h"

namespace fenwarp {

// The block the gateway reads its communication parameters and the table
// directory from: 13 bytes of parameters, then the 40-byte directory. It
// begins 100 bytes before the end of bank 2; the bank 2 tables end before it.
inline constexpr std::size_t parameter_block_offset = BankImages::bank_size - 100;
inline constexpr std::size_t parameter_block_size = 53;

inline constexpr const char* pargen_missing_message = "File Parametres xml not found";

// The nine values of pargen.xml, by the position of their element there.
using CommParameters = std::array<std::uint16_t, 9>;

// The width in bytes the parameter block gives the element at that position.
std::size_t parameter_width(std::size_t element);

// Reads pargen.xml from the project folder; a missing one is reported and
// gives nothing. An unreadable document, or fewer than nine elements, throws
// Error naming it.
std::optional<CommParameters> read_comm_parameters(const std::filesystem::path& project_dir,
                                                   Messages& messages);

// Writes the parameters and the directory into bank 2 from offset 16284 on.
void write_parameter_block(BankImages::Bank& bank2, const CommParameters& parameters,
                           const TableDirectory& directory);

// What the gateway reads from the block: the inverse of write_parameter_block.
struct ParameterBlock {
    CommParameters parameters{};
    TableDirectory directory;
};
ParameterBlock read_parameter_block(const BankImages::Bank& bank2);

}  // namespace fenwarp
