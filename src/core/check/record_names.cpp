#include "core/check/record_names.h"

#include "core/documents/table/table_catalogue.h"

namespace fenwarp {

const char* page_caption(const TableDescription& table, int page) {
    const bool first = page == 0;
    if (&table == &sdo_table()) {
        return first ? "SDO from CAN 0 request to CAN 1" : "SDO from CAN 1 request to CAN 0";
    }
    if (&table == &pdo_table()) return first ? "PDO From Can0 to Can1" : "PDO From Can1 to Can0";
    if (&table == &emcy_table()) return first ? "From CAN 0" : "From CAN 1";
    return first ? "Can0" : "Can1";  // the EMCY word map and the stored PDO map
}

std::string record_label(const CheckedTable& table, const CheckedRecord& record) {
    const std::string position = std::to_string(record.position);
    if (table.table == &emcy_word_table()) return "W" + position;
    if (table.table == &stored_pdo_table()) {
        const int pdo = table.value(record, "nrpdo").packed() & 0x7F;
        return "PDO " + std::to_string(pdo) + ", Sdo" + position;
    }
    if (table.table == &emcy_table()) {
        return "entry " + position + " (ID " + table.text(record, "id_dev") + ")";
    }
    return "N\u00b0 " + position;
}

Finding record_finding(const CheckedTable& table, const CheckedRecord& record, std::string field,
                       Severity severity, std::string reason) {
    Finding finding;
    finding.severity = severity;
    finding.document = table.table->document;
    finding.page = page_caption(*table.table, record.page);
    finding.record = record_label(table, record);
    finding.field = std::move(field);
    finding.reason = std::move(reason);
    finding.page_index = record.page;
    finding.position = record.position;
    if (table.table == &stored_pdo_table()) {
        // A stored entry shows under its PDO, the PDO list's row (position - 1).
        const int pdo = table.value(record, "nrpdo").packed() & 0x7F;
        finding.position = pdo > 0 ? std::optional<std::size_t>(pdo - 1) : std::nullopt;
        finding.sub_position = record.position;
    }
    return finding;
}

}  // namespace fenwarp
