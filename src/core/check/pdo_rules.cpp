#include <map>

#include "core/check/record_names.h"
#include "core/check/rules.h"
#include "core/check/value_rules.h"

namespace fenwarp {
namespace {

// Bits 29 to 31 of a COB-ID are flags (frame format, RTR, valid); the rest
// is the identifier.
std::uint32_t identifier(const FieldValue& value) {
    return static_cast<std::uint32_t>(value.value()) & 0x1FFFFFFFu;
}

// What CANopen reserves for other services than PDOs (CiA 301, LSS CiA 305).
const char* reserved_for(std::uint32_t id) {
    if (id == 0x000) return "NMT";
    if (id == 0x080) return "SYNC";
    if (id == 0x100) return "TIME";
    if (id >= 0x581 && id <= 0x5FF) return "SDO responses (0x581-0x5FF)";
    if (id >= 0x601 && id <= 0x67F) return "SDO requests (0x601-0x67F)";
    if (id >= 0x701 && id <= 0x77F) return "NMT error control (0x701-0x77F)";
    if (id == 0x7E4 || id == 0x7E5) return "LSS";
    return nullptr;
}

std::optional<Verdict> cobid_verdict(const FieldValue& value) {
    const std::uint32_t id = identifier(value);
    if (id > 0x7FF) {
        return Verdict{Severity::Error,
                       "COB-ID " + quoted(value.text) +
                           " is beyond the 11-bit identifiers of CAN base frames (0x7FF at "
                           "most, bits 29 to 31 aside); the compile keeps its low 16 bits"};
    }
    if (const char* service = reserved_for(id)) {
        return Verdict{Severity::Error, "COB-ID " + hex(id) + " is reserved by CANopen for " +
                                            service + "; a PDO there disturbs that service"};
    }
    return std::nullopt;
}

void check_duplicates(const CheckedTable& pdo, std::vector<Finding>& findings) {
    std::map<std::pair<int, std::uint32_t>, const CheckedRecord*> seen;
    for (const CheckedRecord& record : pdo.records) {
        const FieldValue cobid = pdo.value(record, "cobid");
        if (!cobid.number) continue;
        auto [first, added] = seen.try_emplace({record.page, identifier(cobid)}, &record);
        if (added) continue;
        findings.push_back(
            record_finding(pdo, record, "cobid", Severity::Error,
                           "COB-ID " + hex(identifier(cobid)) + " is already translated at " +
                               record_label(pdo, *first->second) +
                               " of this page; the gateway translates one PDO once"));
    }
}

}  // namespace

void check_pdo(const CheckedProject& project, std::vector<Finding>& findings) {
    check_values(project.pdo, {{"cobid", cobid_verdict}, {"id_dev_orig", node_id_rule()}},
                 findings);
    check_duplicates(project.pdo, findings);
}

}  // namespace fenwarp
