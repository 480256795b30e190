#pragma once

#include <string>
#include <vector>

namespace fenwarp {

// One record of a table document: its fields as text, in the table's
// attribute order.
using TableRecord = std::vector<std::string>;

}  // namespace fenwarp
