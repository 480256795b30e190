// The integer text conversion never reads past its text and gives a value
// exactly when the text is a number it accepts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/int_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)fenwarp::to_int(text);
    return 0;
}
