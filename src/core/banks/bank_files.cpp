#include "core/banks/bank_files.h"

namespace fenwarp {

void write_bank_files(const BankImages&, const std::filesystem::path&) {}
void write_bank_listing(const BankImages&, const std::filesystem::path&) {}

}  // namespace fenwarp
