#include "core/check/project_checker.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "core/check/rules.h"
#include "core/documents/table/table_catalogue.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

// Findings read in the order of the documents and, within one, of the pages
// and records as the dialogs list them.
void sort_findings(std::vector<Finding>& findings) {
    // The communication settings, then the tables in the catalogue's order.
    static const std::vector<std::string> documents = [] {
        std::vector<std::string> names = {pargen_document_name};
        for (const TableDescription* table : table_catalogue()) names.push_back(table->document);
        return names;
    }();
    constexpr std::size_t last = std::numeric_limits<std::size_t>::max();
    auto key = [&](const Finding& f) {
        const auto doc = std::find(documents.begin(), documents.end(), f.document);
        return std::make_tuple(doc - documents.begin(), f.page_index.value_or(-1),
                               f.position.value_or(last), f.sub_position.value_or(0));
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&](const Finding& a, const Finding& b) { return key(a) < key(b); });
}

}  // namespace

CheckReport check_project(const std::filesystem::path& project_dir) {
    const CheckedProject project = read_checked_project(project_dir);
    CheckReport report;
    check_pargen(project, report.findings);
    check_sdo(project, report.findings);
    check_pdo(project, report.findings);
    check_stored_pdo(project, report.findings);
    check_emcy(project, report.findings);
    check_emcy_words(project, report.findings);
    report.banks = bank_use(project_dir);
    check_capacity(report.banks, report.findings);
    sort_findings(report.findings);
    return report;
}

}  // namespace fenwarp
