#include "core/banks/parameter_block.h"

#include <string>

#include "core/banks/bank_bytes.h"
#include "core/banks/bank_document.h"
#include "core/banks/bank_value.h"

namespace fenwarp {
namespace {

// The parameters in block order: the element position and the field width.
struct Slot {
    std::size_t element;
    std::size_t width;
};
// ser, baudmodbus, parity, devid, BoudA, idA, BoudB, idB, timeoutsdo
constexpr std::array<Slot, 9> slots = {
    {{7, 1}, {5, 2}, {6, 1}, {8, 1}, {1, 2}, {0, 1}, {3, 2}, {2, 1}, {4, 2}}};

}  // namespace

std::size_t parameter_width(std::size_t element) {
    for (const Slot& slot : slots) {
        if (slot.element == element) return slot.width;
    }
    return 0;
}

std::optional<CommParameters> read_comm_parameters(const std::filesystem::path& project_dir,
                                                   Messages& messages) {
    std::optional<BankDocument> document =
        BankDocument::load(project_dir, "pargen.xml", pargen_missing_message, messages);
    if (!document) return std::nullopt;
    const std::vector<pugi::xml_node>& elements = document->records();
    const std::size_t count = elements.size();
    if (count < 9)
        bank_document_error("pargen.xml", "9 elements expected, found " + std::to_string(count));
    CommParameters parameters{};
    for (const Slot& slot : slots) {
        parameters[slot.element] = bank_value(elements[slot.element].text().get(), messages);
    }
    return parameters;
}

void write_parameter_block(BankImages::Bank& bank2, const CommParameters& parameters,
                           const TableDirectory& directory) {
    std::size_t at = parameter_block_offset;
    for (const Slot& slot : slots) {
        put_bytes(bank2.data() + at, parameters[slot.element], slot.width);
        at += slot.width;
    }
    for (const TableEntry& entry : {directory.sdo, directory.emcy, directory.emcy_word,
                                    directory.pdo, directory.stored_pdo}) {
        for (std::uint16_t value :
             {entry.start, entry.first_count, entry.second_offset, entry.second_count}) {
            put_u16(bank2, at, value);
            at += 2;
        }
    }
}

}  // namespace fenwarp
