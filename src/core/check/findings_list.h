#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "core/banks/update_device.h"
#include "core/check/check_report.h"

namespace fenwarp {

// The dialog that shows a finding's record.
enum class FindingDialog { None, Pargen, Sdo, Pdo, StoredPdo, Emcy, EmcyWord };

// Where to open a finding: the dialog, its page and the record on it.
struct FindingTarget {
    FindingDialog dialog = FindingDialog::None;
    std::optional<int> page;
    std::optional<std::size_t> position;
    std::optional<std::size_t> sub_position;
};

// State of the findings list that Update Device shows before it compiles:
// the findings of the project's check, one row each, and the choice offered.
// Errors need an explicit "Update anyway"; warnings alone an "Update".
class FindingsList {
  public:
    static constexpr std::array<const char*, 5> headings = {"Severity", "Document", "Record",
                                                            "Field", "Reason"};
    static constexpr const char* caption = "Check before update";

    // Shows the report of the project's check.
    void show(const std::filesystem::path& project_dir, CheckReport report);
    // Checks the project again, after a document was edited from the list.
    void recheck();

    const CheckReport& report() const { return report_; }
    std::size_t size() const { return report_.findings.size(); }
    std::array<std::string, 5> row(std::size_t index) const;
    // "2 error(s), 1 warning(s)" and the room of each bank.
    std::string summary() const;

    bool has_errors() const { return report_.errors() > 0; }
    // The caption of the button that goes on with the update.
    const char* update_caption() const { return has_errors() ? "Update anyway" : "Update"; }
    // What pressing it answers to Update Device.
    CheckAnswer update_answer() const {
        return has_errors() ? CheckAnswer::UpdateAnyway : CheckAnswer::PastWarnings;
    }

    FindingTarget target(std::size_t index) const;

  private:
    std::filesystem::path project_dir_;
    CheckReport report_;
};

}  // namespace fenwarp
