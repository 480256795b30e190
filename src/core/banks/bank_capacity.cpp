#include "core/banks/bank_capacity.h"

#include <optional>

#include "core/banks/parameter_block.h"
#include "core/banks/record_layouts.h"
#include "core/banks/table_packer.h"

namespace fenwarp {

double BankUse::margin() const {
    if (available == 0) return 0.0;
    return (static_cast<double>(available) - static_cast<double>(needed)) /
           static_cast<double>(available);
}

std::size_t bank_room(int bank) {
    return bank == 1 ? BankImages::bank_size : parameter_block_offset;
}

std::array<BankUse, 2> bank_use(const std::filesystem::path& project_dir) {
    MessageRecorder silent;
    auto bytes = [&](const RecordLayout& layout) {
        std::optional<PackedTable> table = read_table(project_dir, layout, silent);
        return table ? table->bytes() : 0;
    };
    return {BankUse{1, bytes(sdo_layout()) + bytes(stored_pdo_layout()), bank_room(1)},
            BankUse{2, bytes(emcy_layout()) + bytes(emcy_word_layout()) + bytes(pdo_layout()),
                    bank_room(2)}};
}

}  // namespace fenwarp
