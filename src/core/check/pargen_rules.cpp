#include <algorithm>

#include "core/banks/parameter_block.h"
#include "core/check/rules.h"
#include "core/check/value_rules.h"
#include "core/documents/pargen/pargen_editor.h"
#include "core/int_text.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

enum Element : std::size_t { idA = 0, BoudA = 1, idB = 2, BoudB = 3, timeoutsdo = 4 };

// The bit rates the communication dialog lists, all of them CiA 301 rates.
std::optional<Verdict> bit_rate_verdict(const FieldValue& value) {
    const auto& rates = PargenEditor::baud_rates;
    const bool listed = std::any_of(rates.begin(), rates.end(), [&](const char* rate) {
        return to_int(rate) == value.value();
    });
    if (listed) return std::nullopt;
    return Verdict{Severity::Error,
                   "bit rate " + quoted(value.text) +
                       " kbit/s is none of those the dialog lists (10 to 1000); every node of "
                       "a CAN network must run one of the CANopen bit rates"};
}

std::optional<Verdict> timeout_verdict(const FieldValue& value) {
    if (value.value() != 0) return std::nullopt;
    return Verdict{Severity::Warning,
                   "an SDO timeout of 0 gives a redirected request no time for the answer "
                   "from the other network"};
}

std::optional<Verdict> element_verdict(std::size_t element, const FieldValue& value) {
    const std::size_t width = parameter_width(element);
    if (std::optional<Verdict> v = conversion_verdict(value, width)) return v;
    switch (element) {
        case idA:
            return node_id_rule()(value);
        case idB:
            return node_id_rule(Severity::Warning,
                                "; the dialog does not show it, the device's dip-switch sets "
                                "the CAN 1 node ID")(value);
        case BoudA:
        case BoudB:
            return bit_rate_verdict(value);
        case timeoutsdo:
            if (std::optional<Verdict> v = width_verdict(value, width)) return v;
            return timeout_verdict(value);
        default:
            return width_verdict(value, width);
    }
}

}  // namespace

void check_pargen(const CheckedProject& project, std::vector<Finding>& findings) {
    if (!project.pargen) return;
    const std::vector<std::string>& texts = *project.pargen;
    for (std::size_t element = 0; element < PargenEditor::element_names.size(); ++element) {
        std::optional<Verdict> verdict = element_verdict(element, field_value(texts[element]));
        if (!verdict) continue;
        Finding finding;
        finding.severity = verdict->severity;
        finding.document = pargen_document_name;
        if (element < timeoutsdo) finding.page = element < idB ? "CAN 0" : "CAN 1";
        finding.field = PargenEditor::element_names[element];
        finding.reason = verdict->reason;
        finding.position = element;
        findings.push_back(std::move(finding));
    }
}

}  // namespace fenwarp
