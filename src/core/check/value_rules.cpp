#include "core/check/value_rules.h"

#include "core/check/record_names.h"

namespace fenwarp {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::optional<Verdict> conversion_verdict(const FieldValue& value, std::size_t width) {
    if (value.converts()) return std::nullopt;
    return Verdict{Severity::Error, quoted(value.text) +
                                        " is not a number; the compile reports a conversion "
                                        "error and packs " +
                                        hex(static_cast<std::uint32_t>(field_max(width)))};
}

std::optional<Verdict> width_verdict(const FieldValue& value, std::size_t width) {
    if (!value.number) return std::nullopt;
    const std::int64_t max = field_max(width);
    if (*value.number >= 0 && *value.number <= max) return std::nullopt;
    const auto kept = static_cast<std::uint32_t>(value.value() & max);
    return Verdict{Severity::Error, quoted(value.text) + " does not fit the " +
                                        std::to_string(width) + "-byte field (0 to " +
                                        hex(static_cast<std::uint32_t>(max)) +
                                        "); the compile keeps only " + hex(kept)};
}

std::optional<Verdict> empty_verdict(const FieldValue& value, std::size_t width) {
    if (!value.empty()) return std::nullopt;
    return Verdict{Severity::Error, "empty; the compile packs " +
                                        hex(static_cast<std::uint32_t>(field_max(width))) +
                                        " without a message"};
}

ValueRule node_id_rule(Severity severity, const std::string& note) {
    return [severity, note](const FieldValue& value) -> std::optional<Verdict> {
        const std::int64_t id = value.value();
        if (id >= 1 && id <= 127) return std::nullopt;
        const std::string what =
            value.empty() ? "empty (packed as 255)" : "node ID " + quoted(value.text);
        return Verdict{severity, what + " is outside 1..127, the node IDs CANopen allows" + note};
    };
}

namespace {

std::optional<Verdict> field_verdict(const FieldValue& value, const Field& field,
                                     const std::map<std::string, ValueRule>& rules,
                                     const EmptyAllowed& may_be_empty) {
    if (std::optional<Verdict> v = conversion_verdict(value, field.width)) return v;
    if (auto rule = rules.find(field.attribute); rule != rules.end()) return rule->second(value);
    if (!may_be_empty || !may_be_empty(field.attribute)) {
        if (std::optional<Verdict> v = empty_verdict(value, field.width)) return v;
    }
    return width_verdict(value, field.width);
}

}  // namespace

void check_values(const CheckedTable& table, const std::map<std::string, ValueRule>& rules,
                  std::vector<Finding>& findings, const EmptyAllowed& may_be_empty) {
    for (const CheckedRecord& record : table.records) {
        for (const Field& field : table.layout->fields) {
            const FieldValue value = table.value(record, field.attribute);
            if (std::optional<Verdict> v = field_verdict(value, field, rules, may_be_empty)) {
                findings.push_back(
                    record_finding(table, record, field.attribute, v->severity, v->reason));
            }
        }
    }
}

}  // namespace fenwarp
