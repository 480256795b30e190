#include "core/banks/parameter_block.h"

#include <string>

#include "core/banks/bank_bytes.h"
#include "core/banks/bank_document.h"
#include "core/banks/bank_value.h"
#include "core/shell/project_context.h"

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

// The directory's twenty values in block order: the tables in the gateway's
// order, for each its start, counts and second group's offset.
template <typename Directory>
auto directory_values(Directory& d) {
    std::array<decltype(&d.sdo.start), 20> values{};
    std::size_t i = 0;
    for (auto* e : {&d.sdo, &d.emcy, &d.emcy_word, &d.pdo, &d.stored_pdo}) {
        for (auto* value : {&e->start, &e->first_count, &e->second_offset, &e->second_count}) {
            values[i++] = value;
        }
    }
    return values;
}

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
        BankDocument::load(project_dir, pargen_document_name, pargen_missing_message, messages);
    if (!document) return std::nullopt;
    const std::vector<pugi::xml_node>& elements = document->records();
    const std::size_t count = elements.size();
    if (count < 9)
        bank_document_error(pargen_document_name,
                            "9 elements expected, found " + std::to_string(count));
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
    for (const std::uint16_t* value : directory_values(directory)) {
        put_u16(bank2, at, *value);
        at += 2;
    }
}

ParameterBlock read_parameter_block(const BankImages::Bank& bank2) {
    ParameterBlock block;
    std::size_t at = parameter_block_offset;
    for (const Slot& slot : slots) {
        block.parameters[slot.element] = get_bytes(bank2.data() + at, slot.width);
        at += slot.width;
    }
    for (std::uint16_t* value : directory_values(block.directory)) {
        *value = get_bytes(bank2.data() + at, 2);
        at += 2;
    }
    return block;
}

}  // namespace fenwarp
