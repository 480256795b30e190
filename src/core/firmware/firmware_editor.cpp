#include "core/firmware/firmware_editor.h"

#include <algorithm>
#include <system_error>

#include "core/banks/bank_files.h"
#include "core/file_system.h"
#include "core/firmware/flash_writer.h"
#include "core/firmware/image_patch.h"
#include "core/firmware/update_log.h"
#include "core/shell/project_check.h"

namespace fenwarp {
namespace {

// ExeModFileSx comes back on however the patch ends.
class PatchRunning {
  public:
    explicit PatchRunning(bool& enabled) : enabled_(enabled) { enabled_ = false; }
    ~PatchRunning() { enabled_ = true; }
    PatchRunning(const PatchRunning&) = delete;
    PatchRunning& operator=(const PatchRunning&) = delete;

  private:
    bool& enabled_;
};

}  // namespace

void FirmwareEditor::show(const ProjectContext& context, Messages& messages) {
    options_shown = false;
    if (ProjectContext::board_variant == 2) {
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            boxes[i].visible = i < 2;
            if (i < 2) boxes[i].checked = true;
        }
    }
    for (BankBox& box : boxes) box.red = false;
    port = 0;
    progress.value = 0;
    execute_enabled = false;
    // An empty project directory must not make the system's own bin folder the bank folder.
    if (!context.project_dir.empty() && is_folder(bin_folder(context.project_dir))) {
        bank_dir = bin_folder(context.project_dir);
    }
    if (!is_file(context.template_dir / template_name)) {
        messages.show(std::string("Error file ") + template_name + " not found",
                      MessageKind::Error);
        return;
    }
    std::error_code failed;
    std::filesystem::current_path(context.template_dir, failed);
    if (failed) {
        messages.show("Error", MessageKind::Error);
        return;
    }
    use_template(context, context.template_dir / template_name);
}

void FirmwareEditor::use_template(const ProjectContext& context,
                                  const std::filesystem::path& file) {
    template_file_name = file.filename().string();
    template_folder = file.parent_path();
    output_dir = context.project_dir;
    output_name = output_prefix + template_file_name;
    execute_enabled = true;
}

std::optional<PatchOutcome> FirmwareEditor::make_image(Messages& messages,
                                                       const ProgressFn& notify) {
    for (BankBox& box : boxes) box.red = false;
    image_made = false;
    if (!require_project(output_dir, messages)) return std::nullopt;
    PatchRunning running(patch_enabled);
    last_patch_ =
        ImagePatch{template_folder / template_file_name, output_dir, output_name, bank_dir, {}};
    last_patch_.known_template = last_template_digest(output_dir, last_patch_.template_file);
    last_patch_.settle = template_settle;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        last_patch_.banks[i] = boxes[i].checked && boxes[i].visible;
    }
    ProgressMeter meter(progress, notify);
    PatchOutcome outcome = patch_image(last_patch_, messages, meter);
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i].red = outcome.no_record[i];
    if (!outcome.produced) return std::nullopt;
    image_made = true;
    return outcome;
}

void FirmwareEditor::record_update(const PatchOutcome& outcome, std::optional<int> started_port) {
    UpdateRecord record = update_record(output_dir, bank_dir, last_patch_, outcome);
    if (started_port) record.port = "COM" + std::to_string(*started_port + 1);
    append_update_log(output_dir, update_log_line(record));
}

bool FirmwareEditor::patch(Messages& messages, const ProgressFn& notify) {
    std::optional<PatchOutcome> made = make_image(messages, notify);
    if (!made) return false;
    record_update(*made, std::nullopt);
    return true;
}

bool FirmwareEditor::launch(const ProjectContext& context, Messages& messages) {
    if (!is_file(output_path())) {
        messages.show("File *.Sx Not Found,Abort Procedure");
        return false;
    }
    const std::filesystem::path writer = context.exe_dir / flash_writer_name;
    if (!is_file(writer)) {
        messages.show("Torquill.exe Not Found, Procedure Aborted");
        return false;
    }
    const std::string parameter = flash_writer_parameter(output_path(), port);
    return start_writer ? start_writer(writer, parameter) : start_detached(writer, parameter);
}

bool FirmwareEditor::execute(const ProjectContext& context, Messages& messages,
                             const ProgressFn& notify, LaunchWhen when) {
    std::optional<PatchOutcome> made = make_image(messages, notify);
    if (!made) return false;
    const bool complete = std::none_of(made->no_record.begin(), made->no_record.end(),
                                       [](bool missing) { return missing; });
    bool started = false;
    if (complete || when == LaunchWhen::ImageMade) started = launch(context, messages);
    record_update(*made, started ? std::optional<int>(port) : std::nullopt);
    return started;
}

std::filesystem::path FirmwareEditor::open_firmware_folder(const ProjectContext& context) const {
    if (!context.template_dir.empty() && is_folder(context.template_dir)) {
        return context.template_dir;
    }
    return context.exe_dir;
}

void FirmwareEditor::open_firmware(const ProjectContext& context,
                                   const std::filesystem::path& chosen) {
    // The chosen file's folder becomes current, as the showing makes the
    // template's: the flash writer starts there.
    std::error_code ignored;
    std::filesystem::current_path(chosen.parent_path(), ignored);
    use_template(context, chosen);
}

}  // namespace fenwarp
