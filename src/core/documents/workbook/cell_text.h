#pragma once

#include <string>

namespace fenwarp {

// A number cell in its text form: a whole value as that integer ("16", not
// "16.0"), any other the shortest text that reads back to it ("1.5").
std::string number_text(double value);

}  // namespace fenwarp
