#include <map>
#include <tuple>

#include "core/check/record_names.h"
#include "core/check/rules.h"
#include "core/check/value_rules.h"

namespace fenwarp {
namespace {

constexpr int bits_per_word = 16;

std::string bit_attribute(int bit, const char* suffix) {
    return "bit" + std::to_string(bit) + suffix;
}

// Each word is an SDO object on the other port: two words at one object
// cannot both be read.
void check_objects(const CheckedTable& words, std::vector<Finding>& findings) {
    std::map<std::tuple<int, std::uint16_t, std::uint8_t>, const CheckedRecord*> seen;
    for (const CheckedRecord& record : words.records) {
        const FieldValue index = words.value(record, "index_addrm");
        const FieldValue subindex = words.value(record, "subindex");
        if (!index.number || !subindex.number) continue;
        const auto key = std::make_tuple(record.page, index.packed(),
                                         static_cast<std::uint8_t>(subindex.packed()));
        auto [first, added] = seen.try_emplace(key, &record);
        if (added) continue;
        findings.push_back(record_finding(
            words, record, "index_addrm", Severity::Error,
            "object " + hex(index.packed()) + " sub " + std::to_string(subindex.packed() & 0xFF) +
                " is already the word " + record_label(words, *first->second) +
                " of this page; an SDO object holds one word"));
    }
}

struct BitDefinition {
    int bit;
    std::uint8_t bytes;  // poscomp: the two EMCY byte numbers
    std::uint8_t mask1;
    std::uint8_t mask2;
};

// Two bits that test the same EMCY bytes through overlapping masks follow the
// same data: one of them is most likely meant for other bytes or bits.
void check_bits(const CheckedTable& words, const CheckedRecord& record,
                std::vector<Finding>& findings) {
    std::vector<BitDefinition> defined;
    for (int bit = 0; bit < bits_per_word; ++bit) {
        const FieldValue bytes = words.value(record, bit_attribute(bit, "_poscomp"));
        if (!bytes.number) continue;  // a bit never defined
        const BitDefinition here{
            bit, static_cast<std::uint8_t>(bytes.packed()),
            static_cast<std::uint8_t>(words.value(record, bit_attribute(bit, "_b0")).packed()),
            static_cast<std::uint8_t>(words.value(record, bit_attribute(bit, "_b1")).packed())};
        for (const BitDefinition& other : defined) {
            if (other.bytes != here.bytes) continue;
            if ((other.mask1 & here.mask1) == 0 && (other.mask2 & here.mask2) == 0) continue;
            Finding finding = record_finding(
                words, record, bit_attribute(bit, "_poscomp"), Severity::Warning,
                "tests EMCY bytes " + std::to_string(here.bytes >> 4) + " and " +
                    std::to_string(here.bytes & 0x0F) + " with masks overlapping those of Bit " +
                    std::to_string(other.bit) + "; both bits follow the same data");
            finding.record += " Bit " + std::to_string(bit);
            finding.sub_position = static_cast<std::size_t>(bit);
            findings.push_back(std::move(finding));
            break;
        }
        defined.push_back(here);
    }
}

// extdata names the page: the dialog drops a word with any other value when
// it loads, and the next save loses it.
std::optional<Verdict> extdata_verdict(const FieldValue& value) {
    if (value.value() == 0 || value.value() == 1) return std::nullopt;
    return Verdict{Severity::Error, "extdata " + quoted(value.text) +
                                        " names no page (0 for Can0, 1 for Can1); the dialog "
                                        "drops this word and its next save loses it"};
}

}  // namespace

void check_emcy_words(const CheckedProject& project, std::vector<Finding>& findings) {
    // A bit never defined keeps its three texts empty.
    check_values(project.emcy_word, {{"devid", node_id_rule()}, {"extdata", extdata_verdict}},
                 findings,
                 [](const std::string& attribute) { return attribute.rfind("bit", 0) == 0; });
    check_objects(project.emcy_word, findings);
    for (const CheckedRecord& record : project.emcy_word.records) {
        check_bits(project.emcy_word, record, findings);
    }
}

}  // namespace fenwarp
