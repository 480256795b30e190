#include <map>
#include <tuple>
#include <utility>

#include "core/check/record_names.h"
#include "core/check/rules.h"
#include "core/check/value_rules.h"

namespace fenwarp {
namespace {

// An expedited SDO transfer carries 1 to 4 bytes.
std::optional<Verdict> nbyte_verdict(const FieldValue& value) {
    const std::int64_t n = value.value();
    if (n >= 1 && n <= 4) return std::nullopt;
    return Verdict{Severity::Error, "byte count " + quoted(value.text) +
                                        " is outside 1..4, what an expedited SDO transfer "
                                        "carries"};
}

// conf holds the direction in bit 0 and the RW flag in bit 4; the dialog
// writes 0, 1, 16 and 17 only.
std::optional<Verdict> conf_verdict(const FieldValue& value) {
    if ((value.value() & ~std::int64_t{0x11}) == 0) return std::nullopt;
    return Verdict{Severity::Error, "conf " + quoted(value.text) +
                                        " is no direction and RW code: only 0, 1, 16 and 17 "
                                        "(RW 0 or 1) are defined"};
}

void check_virtual_objects(const CheckedTable& sdo, std::vector<Finding>& findings) {
    // (page, index, subindex) -> the record that defines it first
    std::map<std::tuple<int, std::uint16_t, std::uint8_t>, const CheckedRecord*> defined;
    for (const CheckedRecord& record : sdo.records) {
        const FieldValue index = sdo.value(record, "IndexA");
        const FieldValue subindex = sdo.value(record, "SubindexA");
        if (!index.number || !subindex.number) continue;
        const std::uint16_t i = index.packed();
        const auto s = static_cast<std::uint8_t>(subindex.packed());
        const std::string object = hex(i) + " sub " + std::to_string(s);
        auto [first, added] = defined.try_emplace({record.page, i, s}, &record);
        if (!added) {
            findings.push_back(record_finding(
                sdo, record, "IndexA", Severity::Error,
                "virtual object " + object + " is already defined at " +
                    record_label(sdo, *first->second) +
                    " of this page; the gateway serves a request for it one way only"));
        }
        if (i >= 0x1000 && i <= 0x1FFF) {
            findings.push_back(record_finding(
                sdo, record, "IndexA", Severity::Warning,
                "virtual object " + object +
                    " lies in the communication profile area 0x1000-0x1FFF, where CANopen "
                    "places the gateway's own communication objects"));
        }
    }
}

}  // namespace

void check_sdo(const CheckedProject& project, std::vector<Finding>& findings) {
    check_values(project.sdo,
                 {{"conf", conf_verdict}, {"devIDB", node_id_rule()}, {"nbyteB", nbyte_verdict}},
                 findings);
    check_virtual_objects(project.sdo, findings);
}

}  // namespace fenwarp
