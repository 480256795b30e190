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
    // A spreadsheet shows at most 15 significant digits, so 0.1 + 0.2 reads
    // "0.3" as the user saw it, not "0.30000000000000004".
    char buffer[40];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

}  // namespace fenwarp
