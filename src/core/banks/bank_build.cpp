#include "core/banks/bank_build.h"

#include "core/banks/bank_compiler.h"
#include "core/banks/bank_files.h"

namespace fenwarp {

bool build_banks(const std::filesystem::path& project_dir, BankImages& images, Messages& messages) {
    if (!compile_banks(project_dir, images, messages).complete) return false;
    write_bank_files(images, project_dir);
    write_bank_listing(images, project_dir);
    return true;
}

}  // namespace fenwarp
