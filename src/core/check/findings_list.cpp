#include "core/check/findings_list.h"

#include <cstdio>
#include <utility>

#include "core/check/project_checker.h"
#include "core/documents/table/table_catalogue.h"
#include "core/shell/project_context.h"

namespace fenwarp {
namespace {

FindingDialog dialog_of(const std::string& document) {
    if (document == pargen_document_name) return FindingDialog::Pargen;
    const std::pair<const TableDescription*, FindingDialog> tables[] = {
        {&sdo_table(), FindingDialog::Sdo},
        {&pdo_table(), FindingDialog::Pdo},
        {&stored_pdo_table(), FindingDialog::StoredPdo},
        {&emcy_table(), FindingDialog::Emcy},
        {&emcy_word_table(), FindingDialog::EmcyWord}};
    for (const auto& [table, dialog] : tables) {
        if (document == table->document) return dialog;
    }
    return FindingDialog::None;
}

}  // namespace

void FindingsList::show(const std::filesystem::path& project_dir, CheckReport report) {
    project_dir_ = project_dir;
    report_ = std::move(report);
}

void FindingsList::recheck() {
    report_ = check_project(project_dir_);
}

std::array<std::string, 5> FindingsList::row(std::size_t index) const {
    const Finding& f = report_.findings.at(index);
    std::string place = f.page;
    if (!f.record.empty()) place += (place.empty() ? "" : ", ") + f.record;
    return {severity_name(f.severity), f.document, place, f.field, f.reason};
}

std::string FindingsList::summary() const {
    std::string text = std::to_string(report_.errors()) + " error(s), " +
                       std::to_string(report_.warnings()) + " warning(s).";
    for (const BankUse& use : report_.banks) {
        char margin[32];
        std::snprintf(margin, sizeof margin, "%.1f %%", use.margin() * 100.0);
        text += "  Bank " + std::to_string(use.bank) + ": " + std::to_string(use.needed) + " of " +
                std::to_string(use.available) + " bytes, " + margin + " left.";
    }
    return text;
}

FindingTarget FindingsList::target(std::size_t index) const {
    const Finding& f = report_.findings.at(index);
    return {dialog_of(f.document), f.page_index, f.position, f.sub_position};
}

}  // namespace fenwarp
