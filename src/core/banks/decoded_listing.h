#pragma once

#include <string>

#include "core/banks/bank_decoder.h"

namespace fenwarp {

// The decoded banks as text: the parameter block with the names of the
// pargen.xml elements, the table directory, then every table's records with
// their field names, numbered as the gateway holds them (first group first).
std::string decoded_listing(const DecodedBanks& banks);

// "conf=16 IndexA=0x2000 ...": one record's fields by name.
std::string record_text(const DecodedTable& table, std::size_t record);

}  // namespace fenwarp
