#include "core/documents/workbook/cell_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace fenwarp {

std::string number_text(double value) {
    // Below 2^53 every whole double is exact, so the integer text is the value.
    if (std::isfinite(value) && value == std::trunc(value) &&
        std::fabs(value) < 9007199254740992.0) {
        return std::to_string(static_cast<std::int64_t>(value));
    }
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace fenwarp
