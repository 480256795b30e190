#include "core/banks/bank_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "core/banks/bank_listing.h"
#include "core/error.h"
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

std::vector<std::filesystem::path> write_bank_files(const BankImages& images,
                                                    const std::filesystem::path& project_dir) {
    std::vector<std::filesystem::path> written;
    for (int n = 1; n <= static_cast<int>(BankImages::bank_count); ++n) {
        const std::filesystem::path path = bank_file_path(project_dir, n);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!out) continue;  // in use, read-only or no "bin" folder: left as it is
        const BankImages::Bank& bank = images.bank(n);
        out.write(reinterpret_cast<const char*>(bank.data()),
                  static_cast<std::streamsize>(bank.size()));
        out.close();
        if (out) written.push_back(path);
    }
    return written;
}

void write_bank_listing(const BankImages& images, const std::filesystem::path& project_dir) {
    const std::filesystem::path path = bank_listing_path(project_dir);
    const std::string text = bank_listing(images);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw Error("Cannot create file " + path.string() + ": " + std::strerror(errno));
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) throw Error("Cannot write file " + path.string() + ": " + std::strerror(errno));
}

}  // namespace fenwarp
