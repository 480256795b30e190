#include "core/check/check_report.h"

#include <algorithm>

namespace fenwarp {

std::size_t CheckReport::count(Severity severity) const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [severity](const Finding& finding) { return finding.severity == severity; }));
}

}  // namespace fenwarp
