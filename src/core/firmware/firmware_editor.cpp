#include "core/firmware/firmware_editor.h"

#include <system_error>

#include "core/banks/bank_files.h"
#include "core/file_system.h"
#include "core/firmware/flash_writer.h"
#include "core/firmware/patch_chain.h"

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

bool FirmwareEditor::patch(Messages& messages, const ProgressFn& notify) {
    for (BankBox& box : boxes) box.red = false;
    PatchRunning running(patch_enabled);
    PatchChain chain{template_folder / template_file_name, output_dir, output_name, bank_dir, {}};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        chain.banks[i] = boxes[i].checked && boxes[i].visible;
    }
    ProgressMeter meter(progress, notify);
    ChainOutcome outcome = patch_chain(chain, messages, meter);
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i].red = outcome.no_record[i];
    return outcome.produced;
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
    return start_detached(writer, flash_writer_parameter(output_path(), port));
}

bool FirmwareEditor::execute(const ProjectContext& context, Messages& messages,
                             const ProgressFn& notify) {
    return patch(messages, notify) && launch(context, messages);
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
