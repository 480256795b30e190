#pragma once

#include <array>
#include <vector>

#include "core/banks/bank_capacity.h"
#include "core/check/checked_project.h"
#include "core/check/finding.h"

namespace fenwarp {

// One group of rules each, in the files named after them.
void check_pargen(const CheckedProject& project, std::vector<Finding>& findings);
void check_sdo(const CheckedProject& project, std::vector<Finding>& findings);
void check_pdo(const CheckedProject& project, std::vector<Finding>& findings);
void check_emcy(const CheckedProject& project, std::vector<Finding>& findings);
void check_emcy_words(const CheckedProject& project, std::vector<Finding>& findings);
void check_stored_pdo(const CheckedProject& project, std::vector<Finding>& findings);
void check_capacity(const std::array<BankUse, 2>& banks, std::vector<Finding>& findings);

}  // namespace fenwarp
