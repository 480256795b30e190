#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/banks/bank_decoder.h"
#include "core/banks/record_layouts.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

// A packed value as a document holds it, in a form the compile turns back
// into the same value: two-byte fields (indexes, COB-IDs, masks) as 0x and
// four hexadecimal digits, one-byte fields in decimal.
std::string field_text(const Field& field, std::uint16_t value);

// The record as a row of its table document: every attribute of the table's
// description, those the bank does not hold (the SDO mnemonic) empty.
TableRecord document_record(const DecodedTable& table, std::size_t record);

// The nine communication parameters as pargen.xml holds them, in decimal.
std::array<std::string, 9> parameter_texts(const CommParameters& parameters);

}  // namespace fenwarp
