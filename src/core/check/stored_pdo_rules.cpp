#include <map>
#include <tuple>

#include "core/check/record_names.h"
#include "core/check/rules.h"
#include "core/check/value_rules.h"

namespace fenwarp {
namespace {

// Tab "Can0" of the stored PDO map lists the PDOs that come from CAN 1 to
// CAN 0, the second page of the PDO table, and the other way round.
std::size_t pdos_of_tab(const CheckedTable& pdo, int tab) {
    std::size_t count = 0;
    for (const CheckedRecord& record : pdo.records) count += record.page != tab ? 1 : 0;
    return count;
}

void check_pdo_names(const CheckedProject& project, std::vector<Finding>& findings) {
    const CheckedTable& stored = project.stored_pdo;
    const std::size_t pdos[2] = {pdos_of_tab(project.pdo, 0), pdos_of_tab(project.pdo, 1)};
    for (const CheckedRecord& record : stored.records) {
        const FieldValue nrpdo = stored.value(record, "nrpdo");
        if (!nrpdo.number) continue;
        const std::size_t position = nrpdo.packed() & 0x7F;
        const std::size_t count = pdos[record.page];
        if (position >= 1 && position <= count) continue;
        Finding finding = record_finding(
            stored, record, "nrpdo", Severity::Error,
            "names PDO " + std::to_string(position) + " of " + stored.table->base_name + " tab " +
                (record.page == 0 ? "Can0" : "Can1") + ", which has " + std::to_string(count) +
                " PDO(s) in rpdodef.xml; the entry belongs to no PDO");
        finding.record = "document row " + std::to_string(record.number);
        finding.position.reset();
        finding.sub_position.reset();
        findings.push_back(std::move(finding));
    }
}

// An object of the SDO table is redirected to the other network: a stored
// copy of it would never be read. The dialog refuses such entries.
void check_sdo_objects(const CheckedProject& project, std::vector<Finding>& findings) {
    std::map<std::tuple<int, std::uint16_t, std::uint8_t>, const CheckedRecord*> virtual_objects;
    for (const CheckedRecord& record : project.sdo.records) {
        const FieldValue index = project.sdo.value(record, "IndexA");
        const FieldValue subindex = project.sdo.value(record, "SubindexA");
        if (!index.number || !subindex.number) continue;
        virtual_objects.try_emplace(
            {record.page, index.packed(), static_cast<std::uint8_t>(subindex.packed())}, &record);
    }
    const CheckedTable& stored = project.stored_pdo;
    for (const CheckedRecord& record : stored.records) {
        const FieldValue index = stored.value(record, "index");
        const FieldValue subindex = stored.value(record, "subindex");
        if (!index.number || !subindex.number) continue;
        auto found = virtual_objects.find(
            {record.page, index.packed(), static_cast<std::uint8_t>(subindex.packed())});
        if (found == virtual_objects.end()) continue;
        findings.push_back(record_finding(
            stored, record, "index", Severity::Error,
            "object " + hex(index.packed()) + " sub " + std::to_string(subindex.packed() & 0xFF) +
                " is a virtual object of the SDO table (" +
                page_caption(*project.sdo.table, found->second->page) + ", " +
                record_label(project.sdo, *found->second) +
                "); requests for it are redirected, the stored value is never read"));
    }
}

// One object stored twice on a tab: the dialog refuses the second one, as the
// gateway can fill an object from one PDO byte pair only.
void check_repeats(const CheckedTable& stored, std::vector<Finding>& findings) {
    std::map<std::tuple<int, std::uint16_t, std::uint8_t>, const CheckedRecord*> seen;
    for (const CheckedRecord& record : stored.records) {
        const FieldValue index = stored.value(record, "index");
        const FieldValue subindex = stored.value(record, "subindex");
        if (!index.number || !subindex.number) continue;
        auto [first, added] = seen.try_emplace(
            {record.page, index.packed(), static_cast<std::uint8_t>(subindex.packed())}, &record);
        if (added) continue;
        findings.push_back(record_finding(
            stored, record, "index", Severity::Error,
            "object " + hex(index.packed()) + " sub " + std::to_string(subindex.packed() & 0xFF) +
                " is already stored at " + record_label(stored, *first->second) +
                " of this tab; one object takes its value from one PDO"));
    }
}

}  // namespace

void check_stored_pdo(const CheckedProject& project, std::vector<Finding>& findings) {
    check_values(project.stored_pdo, {}, findings);
    check_pdo_names(project, findings);
    check_sdo_objects(project, findings);
    check_repeats(project.stored_pdo, findings);
}

}  // namespace fenwarp
