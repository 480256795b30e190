#pragma once

#include <stdexcept>
#include <string>

namespace fenwarp {

// An error that no operation reports itself: it carries the text the user sees,
// and the application-wide handler shows it.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace fenwarp
