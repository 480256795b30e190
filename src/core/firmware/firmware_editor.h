#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/firmware/bank_ranges.h"
#include "core/firmware/image_patch.h"
#include "core/firmware/progress.h"
#include "core/messages.h"
#include "core/shell/project_context.h"

namespace fenwarp {

// One of the five bank boxes of the firmware dialog.
struct BankBox {
    bool checked = false;
    bool visible = true;
    bool red = false;  // patched, but the image held no record of its range
};

// State of the firmware dialog, kept between showings, and its operations:
// the showing, the patch of the banks into a copy of the template image and
// the launch of the flash writer. The view asks the user and passes answers in.
class FirmwareEditor {
  public:
    static constexpr const char* template_name = "Brax_Traslate.sx";
    static constexpr const char* output_prefix = "New_";
    static constexpr int port_count = 8;  // "COM1" to "COM8"

    std::string template_file_name;         // the image to patch, without folder
    std::filesystem::path template_folder;  // where that image lies
    std::filesystem::path bank_dir;         // empty until a "bin" folder is found or chosen
    std::filesystem::path output_dir;       // the project folder; the image and update.log go here
    std::string output_name;                // follows the hidden field NewFileSx
    std::array<BankBox, BankRanges::count> boxes{};
    int port = 0;  // 0 for "COM1"
    Progress progress;
    bool execute_enabled = false;  // "Execute update firmware"
    bool patch_enabled = true;     // ExeModFileSx, off while a patch runs
    bool options_shown = false;    // GbBank and DirFileBin
    bool image_made = false;       // the last patch made the output image
    // How long the template must have stood unchanged before its digest in
    // update.log is reused (see ImagePatch::settle).
    std::chrono::seconds template_settle{2};

    // How the flash writer is started: the program and its one argument. Tests
    // put a recorder here, to see at once whether it was started.
    std::function<bool(const std::filesystem::path&, const std::string&)> start_writer;

    // Each showing: resets boxes, port and progress, takes the project's "bin"
    // folder, checks the template and makes its folder current. Errors are
    // shown as error boxes and leave "Execute update firmware" disabled.
    void show(const ProjectContext& context, Messages& messages);

    // When "Execute update firmware" starts the flash writer: on any image the
    // run made (the dialog), or only when every chosen bank is in it (a script).
    enum class LaunchWhen { ImageMade, EveryBankPatched };

    // Patches the checked, visible banks into the template in one pass; true
    // when the output image was made by this run. Each image made is recorded
    // in the project's update.log. "Project not valid" when there is no project.
    bool patch(Messages& messages, const ProgressFn& notify = {});

    // Starts the flash writer on the output image and the chosen port, without
    // waiting; true when it was started.
    bool launch(const ProjectContext& context, Messages& messages);

    // "Execute update firmware": the patch, then the launch, but only when the
    // patch made the image: an older image must never reach the device. The
    // update.log line names the port when the writer was started. True when
    // it was.
    bool execute(const ProjectContext& context, Messages& messages, const ProgressFn& notify = {},
                 LaunchWhen when = LaunchWhen::ImageMade);

    std::filesystem::path output_path() const { return output_dir / output_name; }

    // Where the file dialog of Open Firmware starts.
    std::filesystem::path open_firmware_folder(const ProjectContext& context) const;
    // Open Firmware chose another template image; its folder becomes current.
    void open_firmware(const ProjectContext& context, const std::filesystem::path& chosen);
    // Directory File Bin chose a bank folder.
    void choose_bank_dir(const std::filesystem::path& chosen) { bank_dir = chosen; }
    void toggle_options() { options_shown = !options_shown; }
    std::string options_caption() const { return options_shown ? "<< Options" : "Options >>"; }
    void set_output_name(const std::string& name) { output_name = name; }

  private:
    std::optional<PatchOutcome> make_image(Messages& messages, const ProgressFn& notify);
    void record_update(const PatchOutcome& outcome, std::optional<int> started_port);
    void use_template(const ProjectContext& context, const std::filesystem::path& file);

    ImagePatch last_patch_;
};

}  // namespace fenwarp
