#include "core/banks/bank_compiler.h"

#include <optional>
#include <string>

#include "core/banks/bank_capacity.h"
#include "core/banks/parameter_block.h"
#include "core/banks/record_layouts.h"
#include "core/banks/table_packer.h"

namespace fenwarp {
namespace {

std::size_t bytes_of(const std::optional<PackedTable>& table) {
    return table ? table->bytes() : 0;
}

// A missing document is an empty table at the bank's current position.
TableEntry place(const std::optional<PackedTable>& table, BankImages::Bank& bank,
                 std::size_t start) {
    if (!table) {
        auto at = static_cast<std::uint16_t>(start);
        return TableEntry{at, 0, at, 0};
    }
    return place_table(*table, bank, start);
}

// Tables that pass their room would overwrite the next bank's bytes or the
// parameter block: the compile stops instead.
bool fits(const BankUse& use, Messages& messages) {
    if (use.fits()) return true;
    messages.show("Bank " + std::to_string(use.bank) + " too small: the tables need " +
                  std::to_string(use.needed) + " bytes, " + std::to_string(use.available) +
                  " bytes available");
    return false;
}

// SDO table, then the stored PDO table right after it. A missing sdopdo.xml
// has start and second offset 0, as the gateway has always been given.
bool compile_bank1(const std::filesystem::path& project_dir, BankImages::Bank& bank,
                   TableDirectory& directory, Messages& messages) {
    std::optional<PackedTable> sdo = read_table(project_dir, sdo_layout(), messages);
    std::optional<PackedTable> stored = read_table(project_dir, stored_pdo_layout(), messages);
    if (!fits({1, bytes_of(sdo) + bytes_of(stored), bank_room(1)}, messages)) return false;
    directory.sdo = place(sdo, bank, 0);
    if (stored) directory.stored_pdo = place_table(*stored, bank, bytes_of(sdo));
    return true;
}

// EMCY, EMCY word and PDO tables back to back, ending before the parameter block.
bool compile_bank2(const std::filesystem::path& project_dir, BankImages::Bank& bank,
                   TableDirectory& directory, Messages& messages) {
    std::optional<PackedTable> emcy = read_table(project_dir, emcy_layout(), messages);
    std::optional<PackedTable> words = read_table(project_dir, emcy_word_layout(), messages);
    std::optional<PackedTable> pdos = read_table(project_dir, pdo_layout(), messages);
    const std::size_t needed = bytes_of(emcy) + bytes_of(words) + bytes_of(pdos);
    if (!fits({2, needed, bank_room(2)}, messages)) return false;
    directory.emcy = place(emcy, bank, 0);
    directory.emcy_word = place(words, bank, bytes_of(emcy));
    directory.pdo = place(pdos, bank, bytes_of(emcy) + bytes_of(words));
    return true;
}

}  // namespace

CompileOutcome compile_banks(const std::filesystem::path& project_dir, BankImages& images,
                             Messages& messages) {
    // Nothing of an earlier compile may reach this project's device.
    images.clear();
    CompileOutcome outcome;
    if (!compile_bank1(project_dir, images.bank(1), outcome.directory, messages)) return outcome;
    if (!compile_bank2(project_dir, images.bank(2), outcome.directory, messages)) return outcome;
    // Without communication parameters and directory the banks must not reach a device.
    std::optional<CommParameters> parameters = read_comm_parameters(project_dir, messages);
    if (!parameters) return outcome;
    write_parameter_block(images.bank(2), *parameters, outcome.directory);
    outcome.complete = true;
    return outcome;
}

}  // namespace fenwarp
