// The one-pass splicer over any image, fed in pieces of any size: the first
// byte chooses the banks and the piece size. Whatever the pieces, the output
// is the same; with no bank chosen it is the image itself.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/firmware/image_splicer.h"

namespace {

class Collect : public fenwarp::ImageSink {
  public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

// A bank's records stand in for themselves: short, distinct, CR LF ended.
std::array<std::string, 5> records_for(unsigned mask) {
    std::array<std::string, 5> records;
    for (unsigned k = 0; k < 5; ++k) {
        if ((mask >> k & 1) != 0) records[k] = "BANK" + std::to_string(k + 1) + "\r\n";
    }
    return records;
}

std::pair<std::string, fenwarp::SpliceOutcome> splice(std::string_view image, unsigned mask,
                                                      std::size_t piece) {
    const auto records = records_for(mask);
    Collect out;
    fenwarp::ImageSplicer splicer(records, out);
    for (std::size_t at = 0; at < image.size(); at += piece) {
        if (!splicer.feed(image.substr(at, piece))) break;
    }
    fenwarp::SpliceOutcome outcome = splicer.finish();
    return {out.text, outcome};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned mask = data[0] & 0x1F;
    const std::size_t piece = 1 + (data[0] >> 5) * 7;
    const std::string_view image(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto [whole, whole_outcome] = splice(image, mask, image.size() + 1);
    const auto [pieces, pieces_outcome] = splice(image, mask, piece);
    if (whole_outcome.failed != pieces_outcome.failed) std::abort();
    if (!whole_outcome.failed && whole != pieces) std::abort();
    if (mask == 0 && whole != image) std::abort();
    return 0;
}
