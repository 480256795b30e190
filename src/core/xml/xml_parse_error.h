#pragma once

#include "core/error.h"

namespace fenwarp {

// The parser's refusal of a text; the message says what was wrong.
class XmlParseError : public Error {
  public:
    using Error::Error;
};

}  // namespace fenwarp
