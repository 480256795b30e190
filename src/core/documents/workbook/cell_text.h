#pragma once

#include <string>

namespace fenwarp {

// A number cell in its text form, as a spreadsheet shows it: a whole value as
// that integer ("16", not "16.0"), any other with at most 15 significant
// digits ("1.5", "0.3" for 0.1 + 0.2).
std::string number_text(double value);

}  // namespace fenwarp
