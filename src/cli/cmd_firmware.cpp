#include <iostream>
#include <optional>

#include "cli/command_list.h"
#include "cli/compile_step.h"
#include "cli/project_arg.h"
#include "core/banks/bank_images.h"
#include "core/firmware/firmware_editor.h"
#include "core/firmware/flash_writer.h"
#include "core/firmware/update_log.h"

namespace fenwarp::cli {

namespace {

struct FirmwareArgs {
    std::string project;
    int port = 0;  // index: 0 for COM1
    bool launch = false;
    bool force = false;  // update past the check's errors
};

// "--port N" names the serial port as the dialog lists it: 3 or COM3 is COM3.
std::optional<int> port_index(std::string text) {
    if (text.rfind("COM", 0) == 0) text.erase(0, 3);
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + FirmwareEditor::port_count) {
        return std::nullopt;
    }
    return text[0] - '1';
}

std::optional<FirmwareArgs> parse(const Args& args, const char* command, bool update) {
    FirmwareArgs parsed;
    bool words_ok = true;
    bool have_project = false;  // an empty PROJECT is still the project word
    for (std::size_t i = 0; i < args.size() && words_ok; ++i) {
        if (args[i] == "--launch") {
            parsed.launch = true;
        } else if (update && args[i] == "--force") {
            parsed.force = true;
        } else if (args[i] == "--port" && i + 1 < args.size() && port_index(args[i + 1])) {
            parsed.port = *port_index(args[++i]);
        } else if (!have_project && args[i].rfind("--", 0) != 0) {
            parsed.project = args[i];
            have_project = true;
        } else {
            words_ok = false;
        }
    }
    if (!words_ok || !have_project) {
        std::cerr << "Usage: fenwarp-cli " << command << " PROJECT [--port N] [--launch]"
                  << (update ? " [--force]" : "") << "   (N: 1 to 8 for COM1 to COM8)\n";
        return std::nullopt;
    }
    return parsed;
}

// What the dialog's Execute does, with the outcome written out. A bank whose
// range the template lacks makes the run incomplete: exit 1 and no launch.
int patch_and_launch(const ProjectContext& context, const FirmwareArgs& args,
                     StderrMessages& messages) {
    FirmwareEditor editor;
    editor.show(context, messages);
    if (!editor.execute_enabled) return 1;
    editor.port = args.port;
    bool started = false;
    if (args.launch) {
        started =
            editor.execute(context, messages, {}, FirmwareEditor::LaunchWhen::EveryBankPatched);
    } else {
        editor.patch(messages);
    }
    if (!editor.image_made) {
        std::cerr << "fenwarp-cli: no patched image was made\n";
        return 1;
    }
    bool complete = true;
    for (std::size_t i = 0; i < editor.boxes.size(); ++i) {
        if (editor.boxes[i].red) {
            std::cerr << "Bank " << i + 1
                      << ": the image holds no record of its range; not written\n";
            complete = false;
        }
    }
    std::cout << editor.output_path().string() << "\n";
    if (!complete) {
        std::cerr << "fenwarp-cli: the image lacks a bank"
                  << (args.launch ? "; the flash writer was not started\n" : "\n");
        return 1;
    }
    if (!args.launch) return 0;
    if (!started) {
        std::cerr << "fenwarp-cli: " << flash_writer_name << " was not started\n";
        return 1;
    }
    std::cout << "Started " << flash_writer_name << " on COM" << args.port + 1 << "\n";
    return 0;
}

}  // namespace

int run_patch(const Args& args, StderrMessages& messages) {
    std::optional<FirmwareArgs> parsed = parse(args, "patch", false);
    if (!parsed) return 2;
    return patch_and_launch(project_context(parsed->project), *parsed, messages);
}

int run_update(const Args& args, StderrMessages& messages) {
    std::optional<FirmwareArgs> parsed = parse(args, "update", true);
    if (!parsed) return 2;
    const ProjectContext context = project_context(parsed->project);
    BankImages images;
    const CheckAnswer answer =
        parsed->force ? CheckAnswer::UpdateAnyway : CheckAnswer::PastWarnings;
    if (compile_project(context, images, messages, answer) != 0) {
        std::cerr << "fenwarp-cli: the compile did not end cleanly; nothing was patched\n";
        return 1;
    }
    return patch_and_launch(context, *parsed, messages);
}

// log PROJECT: the project's update.log as a table, newest last.
int run_log(const Args& args, StderrMessages&) {
    if (args.size() != 1) {
        std::cerr << "Usage: fenwarp-cli log PROJECT\n";
        return 2;
    }
    const ProjectContext context = project_context(args[0]);
    const std::vector<UpdateRecord> records = read_update_log(context.project_dir);
    if (records.empty()) {
        std::cerr << "fenwarp-cli: no update recorded in " << context.project_dir.string() << "\n";
        return 1;
    }
    std::cout << update_log_table(records);
    return 0;
}

}  // namespace fenwarp::cli
