#include <iostream>

#include "cli/command_list.h"
#include "cli/compile_step.h"
#include "cli/project_arg.h"
#include "core/banks/update_device.h"

namespace fenwarp::cli {
namespace {

void print_entry(const char* table, int bank, const TableEntry& entry) {
    std::cout << "  " << table << " (bank " << bank << "): start " << entry.start << ", counts "
              << entry.first_count << " + " << entry.second_count << ", second group at "
              << entry.second_offset << "\n";
}

void print_directory(const TableDirectory& directory) {
    std::cout << "Table directory:\n";
    print_entry("SDO", 1, directory.sdo);
    print_entry("stored PDO", 1, directory.stored_pdo);
    print_entry("EMCY", 2, directory.emcy);
    print_entry("EMCY word", 2, directory.emcy_word);
    print_entry("PDO", 2, directory.pdo);
}

}  // namespace

int compile_project(const ProjectContext& context, BankImages& images, StderrMessages& messages,
                    CheckAnswer answer) {
    const UpdateDeviceResult result = update_device(context.project_dir, images, messages, answer);
    if (!result.project_valid) return 1;
    print_findings(result.check, std::cerr);
    if (result.stopped_by_check) {
        std::cerr << "fenwarp-cli: the check found " << result.check.errors()
                  << " error(s); nothing compiled (--force updates all the same)\n";
        return 1;
    }
    if (!result.compiled) {
        std::cerr << "fenwarp-cli: compile stopped; no bank file written\n";
        return 1;
    }
    print_directory(result.directory);
    std::cout << "Files written:\n";
    for (const auto& path : result.written) std::cout << "  " << path.string() << "\n";
    // A file left unwritten would let a later patch send an old bank.
    if (!result.every_file_written()) {
        std::cerr << "fenwarp-cli: " << result.not_written.size()
                  << " file(s) could not be written\n";
        return 1;
    }
    return messages.count == 0 ? 0 : 1;
}

// compile PROJECT: the bank half of Update Device.
int run_compile(const Args& args, StderrMessages& messages) {
    if (args.size() != 1) {
        std::cerr << "Usage: fenwarp-cli compile PROJECT\n";
        return 2;
    }
    BankImages images;
    // The bare compile, as before the check: "check" and "update" run the check.
    return compile_project(project_context(args[0]), images, messages, CheckAnswer::UpdateAnyway);
}

}  // namespace fenwarp::cli
