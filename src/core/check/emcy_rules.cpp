#include <map>

#include "core/check/record_names.h"
#include "core/check/rules.h"
#include "core/check/value_rules.h"

namespace fenwarp {
namespace {

// bypass_set bits 1 to 4 name where the forwarded EMCY carries the producer's
// node ID: 0 for nowhere, 1 to 8 for a byte of the eight an EMCY holds.
std::optional<Verdict> bypass_set_verdict(const FieldValue& value) {
    const std::int64_t alias = (value.value() >> 1) & 0x0F;
    if (alias >= 9) {
        return Verdict{Severity::Error, "alias position " + std::to_string(alias) +
                                            " names no byte of the eight an EMCY message "
                                            "holds (0 to 8)"};
    }
    return width_verdict(value, 1);
}

void check_devices(const CheckedTable& emcy, std::vector<Finding>& findings) {
    std::map<std::pair<int, std::int64_t>, const CheckedRecord*> seen;
    for (const CheckedRecord& record : emcy.records) {
        const FieldValue id = emcy.value(record, "id_dev");
        if (!id.number) continue;
        auto [first, added] = seen.try_emplace({record.page, *id.number}, &record);
        if (added) continue;
        findings.push_back(record_finding(
            emcy, record, "id_dev", Severity::Error,
            "device " + quoted(id.text) + " already has " + record_label(emcy, *first->second) +
                " on this page; one producer's EMCY is translated by one entry"));
    }
}

}  // namespace

void check_emcy(const CheckedProject& project, std::vector<Finding>& findings) {
    check_values(project.emcy, {{"id_dev", node_id_rule()}, {"bypass_set", bypass_set_verdict}},
                 findings);
    check_devices(project.emcy, findings);
}

}  // namespace fenwarp
