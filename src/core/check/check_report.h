#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "core/banks/bank_capacity.h"
#include "core/check/finding.h"

namespace fenwarp {

// What the check of a project found, and the room its tables take.
struct CheckReport {
    std::vector<Finding> findings;
    std::array<BankUse, 2> banks{};  // banks 1 and 2, the two that hold tables

    std::size_t count(Severity severity) const;
    std::size_t errors() const { return count(Severity::Error); }
    std::size_t warnings() const { return count(Severity::Warning); }
};

}  // namespace fenwarp
