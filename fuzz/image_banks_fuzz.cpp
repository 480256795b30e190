// The reader of an image's bank ranges over any text: malformed records are
// refused with a line number, and no record writes outside its bank.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "core/firmware/image_banks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        (void)fenwarp::read_image_banks(
            std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const fenwarp::Error&) {
    }
    return 0;
}
