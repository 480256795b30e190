#include "core/banks/bank_compiler.h"

namespace fenwarp {

CompileOutcome compile_banks(const std::filesystem::path&, BankImages& images, Messages&) {
    images.clear();
    return {};
}

}  // namespace fenwarp
