#pragma once

#include <string>
#include <vector>

#include "core/banks/bank_decoder.h"

namespace fenwarp {

// Where banks that no compile made part from what a compile of their decoded
// documents would give: a record in the group its direction bit does not
// name (a compile moves it), a record whose key is 0 (a compile leaves it
// out), a table not where the compile puts it (back to back, the second
// group right after the first). Empty for banks a compile made. The gateway
// reads such banks as they are; the notes say the documents are not them.
std::vector<std::string> decode_notes(const DecodedBanks& banks);

}  // namespace fenwarp
