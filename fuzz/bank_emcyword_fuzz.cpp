// The bank compiler over a fuzzed emcyword.xml.
#include "bank_document_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fenwarp::fuzz::compile_document("emcyword.xml", data, size);
}
