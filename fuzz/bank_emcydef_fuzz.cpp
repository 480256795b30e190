// The bank compiler over a fuzzed emcydef.xml.
#include "bank_document_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fenwarp::fuzz::compile_document("emcydef.xml", data, size);
}
