#include "core/banks/update_device.h"

#include <optional>

#include "core/banks/bank_compiler.h"
#include "core/check/project_checker.h"
#include "core/error.h"
#include "core/shell/project_check.h"

namespace fenwarp {
namespace {

// Passes every message on and keeps it for the result.
class KeptMessages : public Messages {
  public:
    KeptMessages(Messages& to, std::vector<std::string>& kept) : to_(to), kept_(kept) {}
    void show(const std::string& text, MessageKind kind) override {
        kept_.push_back(text);
        to_.show(text, kind);
    }

  private:
    Messages& to_;
    std::vector<std::string>& kept_;
};

// A check that could not run, as an error finding of its own.
CheckReport check_failed(const std::filesystem::path& project_dir, const std::string& reason) {
    CheckReport report;
    Finding finding;
    finding.document = project_dir.filename().string();
    finding.reason = "the project could not be checked: " + reason;
    report.findings.push_back(finding);
    return report;
}

}  // namespace

bool answer_covers(CheckAnswer answer, const CheckReport& report) {
    switch (answer) {
        case CheckAnswer::NotAsked:
            return report.findings.empty();
        case CheckAnswer::PastWarnings:
            return report.errors() == 0;
        case CheckAnswer::UpdateAnyway:
            return true;
    }
    return false;
}

UpdateDeviceResult update_device(const std::filesystem::path& project_dir, BankImages& images,
                                 Messages& messages, CheckAnswer answer) {
    UpdateDeviceResult result;
    KeptMessages shown(messages, result.messages);
    if (!require_project(project_dir, shown)) return result;
    result.project_valid = true;
    // A document the check cannot read usually stops the compile too, with
    // the compile's own message; one the compile takes must not pass as
    // checked, so its failure then stands as an error finding.
    std::optional<std::string> check_failure;
    try {
        result.check = check_project(project_dir);
    } catch (const std::exception& e) {
        check_failure = e.what();
    }
    if (!check_failure && !answer_covers(answer, result.check)) {
        result.stopped_by_check = true;
        return result;
    }
    const CompileOutcome compiled = compile_banks(project_dir, images, shown);
    if (!compiled.complete) return result;
    if (check_failure) {
        result.check = check_failed(project_dir, *check_failure);
        if (!answer_covers(answer, result.check)) {
            result.stopped_by_check = true;
            return result;
        }
    }
    result.compiled = true;
    result.directory = compiled.directory;
    FilesWritten files = write_bank_files(images, project_dir);
    result.written = std::move(files.written);
    result.not_written = std::move(files.not_written);
    try {
        write_bank_listing(images, project_dir);
        result.written.push_back(bank_listing_path(project_dir));
    } catch (const Error& e) {
        result.not_written.push_back({bank_listing_path(project_dir), e.what()});
    }
    for (const FileNotWritten& file : result.not_written) {
        shown.show("File " + file.path.filename().string() + " not written: " + file.reason,
                   MessageKind::Information);
    }
    return result;
}

}  // namespace fenwarp
