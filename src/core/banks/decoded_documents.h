#pragma once

#include <filesystem>
#include <vector>

#include "core/banks/bank_decoder.h"

namespace fenwarp {

// Writes the decoded banks as the six project documents into `folder`, which
// must exist and hold none of them: a decode never overwrites a project. The
// documents compile back into the same banks. Returns the files written; on
// any failure the ones already written are removed and Error is thrown, so a
// folder never holds half a decode.
std::vector<std::filesystem::path> write_decoded_documents(const DecodedBanks& banks,
                                                           const std::filesystem::path& folder);

}  // namespace fenwarp
