#include <cstdio>

#include "core/check/rules.h"

namespace fenwarp {
namespace {

constexpr double least_margin = 0.05;

std::string percent(double fraction) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f %%", fraction * 100.0);
    return buffer;
}

}  // namespace

void check_capacity(const std::array<BankUse, 2>& banks, std::vector<Finding>& findings) {
    for (const BankUse& use : banks) {
        Finding finding;
        finding.document = "bank " + std::to_string(use.bank);
        const std::string figures = "the tables need " + std::to_string(use.needed) +
                                    " bytes of the " + std::to_string(use.available) +
                                    " the bank has";
        if (!use.fits()) {
            finding.severity = Severity::Error;
            finding.reason = figures + "; the compile stops";
        } else if (use.margin() < least_margin) {
            finding.severity = Severity::Warning;
            finding.reason =
                figures + ", " + percent(use.margin()) + " left: under 5 % room for more records";
        } else {
            continue;
        }
        findings.push_back(std::move(finding));
    }
}

}  // namespace fenwarp
