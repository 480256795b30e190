#include "core/check/field_value.h"

#include <cstdio>

#include "core/banks/bank_value.h"

namespace fenwarp {

FieldValue field_value(std::string_view text) {
    return FieldValue{std::string(text), bank_number(text)};
}

std::string hex(std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", value);
    return buffer;
}

}  // namespace fenwarp
