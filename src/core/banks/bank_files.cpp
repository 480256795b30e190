#include "core/banks/bank_files.h"

#include <string>
#include <string_view>

#include "core/banks/bank_listing.h"
#include "core/error.h"
#include "core/file_system.h"
#include "core/shell/project_context.h"

namespace fenwarp {

std::filesystem::path bin_folder(const std::filesystem::path& project_dir) {
    return join_path(project_dir, "bin");
}

std::string bank_file_name(int bank) {
    return "bank" + std::to_string(bank) + ".bin";
}

std::filesystem::path bank_file_path(const std::filesystem::path& project_dir, int bank) {
    return join_path(bin_folder(project_dir), bank_file_name(bank));
}

std::filesystem::path bank_listing_path(const std::filesystem::path& project_dir) {
    return join_path(bin_folder(project_dir), "bankg.c");
}

FilesWritten write_bank_files(const BankImages& images, const std::filesystem::path& project_dir) {
    FilesWritten outcome;
    for (int n = 1; n <= static_cast<int>(BankImages::bank_count); ++n) {
        const std::filesystem::path path = bank_file_path(project_dir, n);
        const BankImages::Bank& bank = images.bank(n);
        try {
            write_file_atomically(
                path, std::string_view(reinterpret_cast<const char*>(bank.data()), bank.size()));
            outcome.written.push_back(path);
        } catch (const Error& e) {
            outcome.not_written.push_back({path, e.what()});
        }
    }
    return outcome;
}

void write_bank_listing(const BankImages& images, const std::filesystem::path& project_dir) {
    write_file_atomically(bank_listing_path(project_dir), bank_listing(images));
}

}  // namespace fenwarp
