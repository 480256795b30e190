#include "core/firmware/bank_source.h"

#include <algorithm>
#include <set>
#include <string>
#include <system_error>

#include "core/banks/bank_files.h"
#include "core/banks/bank_tables.h"
#include "core/error.h"
#include "core/firmware/image_banks.h"
#include "core/input_file.h"

namespace fenwarp {
namespace {

std::set<int> banks_with_tables() {
    std::set<int> banks;
    for (const BankTable& table : bank_tables()) banks.insert(table.bank);
    return banks;
}

// Reads one byte more than a bank holds, so a longer file is told apart.
void read_bank_file(const std::filesystem::path& path, BankImages::Bank& bank, bool required) {
    InputFile file(path);
    if (file.status() == InputFile::Status::Missing) {
        if (required) throw Error(path.string() + ": not found");
        return;
    }
    if (!file.is_open()) throw Error(path.string() + ": not a readable regular file");
    std::string bytes(BankImages::bank_size + 1, '\0');
    std::size_t total = 0;
    while (total < bytes.size()) {
        const std::size_t got = file.read(bytes.data() + total, bytes.size() - total);
        if (got == 0) break;
        total += got;
    }
    if (total != BankImages::bank_size) {
        throw Error(path.string() + ": " + (total > BankImages::bank_size ? "more than" : "only") +
                    " " + std::to_string(std::min(total, BankImages::bank_size)) +
                    " bytes; a bank file holds exactly " + std::to_string(BankImages::bank_size));
    }
    std::copy_n(bytes.begin(), bank.size(), bank.begin());
}

BankImages read_folder(const std::filesystem::path& folder) {
    const std::set<int> required = banks_with_tables();
    BankImages images;
    for (int k = 1; k <= static_cast<int>(BankImages::bank_count); ++k) {
        read_bank_file(folder / bank_file_name(k), images.bank(k), required.count(k) > 0);
    }
    return images;
}

BankImages read_image(const std::filesystem::path& file) {
    std::optional<std::string> text = read_regular_file(file);
    if (!text) throw Error(file.string() + ": not a readable regular file");
    ImageBanks banks;
    try {
        banks = read_image_banks(*text);
    } catch (const Error& e) {
        throw Error(file.string() + ": " + e.what());
    }
    for (int k : banks_with_tables()) {
        const std::size_t covered = banks.covered[static_cast<std::size_t>(k - 1)];
        if (covered != BankImages::bank_size) {
            throw Error(file.string() + ": the image's records cover " + std::to_string(covered) +
                        " of the " + std::to_string(BankImages::bank_size) + " bytes of bank " +
                        std::to_string(k) + "; a patched image holds the whole bank");
        }
    }
    return banks.images;
}

}  // namespace

BankImages read_bank_source(const std::filesystem::path& folder_or_image) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder_or_image, ec)) return read_folder(folder_or_image);
    if (!std::filesystem::exists(folder_or_image, ec)) {
        throw Error(folder_or_image.string() + ": no such bin folder or image");
    }
    return read_image(folder_or_image);
}

}  // namespace fenwarp
