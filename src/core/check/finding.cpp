#include "core/check/finding.h"

namespace fenwarp {

const char* severity_name(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string finding_line(const Finding& finding) {
    std::string line = std::string(severity_name(finding.severity)) + "  " + finding.document;
    std::string place = finding.page;
    if (!finding.record.empty()) place += (place.empty() ? "" : ", ") + finding.record;
    if (!place.empty()) line += "  " + place;
    line += "  ";
    if (!finding.field.empty()) line += finding.field + ": ";
    return line + finding.reason;
}

}  // namespace fenwarp
