#include <iostream>

#include "cli/command_list.h"
#include "cli/compile_step.h"
#include "cli/project_arg.h"
#include "core/banks/bank_compiler.h"
#include "core/banks/bank_files.h"

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

int compile_project(const ProjectContext& context, BankImages& images, StderrMessages& messages) {
    const CompileOutcome outcome = compile_banks(context.project_dir, images, messages);
    if (!outcome.complete) {
        std::cerr << "fenwarp-cli: compile stopped; no bank file written\n";
        return 1;
    }
    print_directory(outcome.directory);
    std::cout << "Files written:\n";
    const auto written = write_bank_files(images, context.project_dir);
    for (const auto& path : written) std::cout << "  " << path.string() << "\n";
    write_bank_listing(images, context.project_dir);
    std::cout << "  " << bank_listing_path(context.project_dir).string() << "\n";
    // A bank file left unwritten would let a later patch send an old bank.
    if (written.size() != BankImages::bank_count) {
        std::cerr << "fenwarp-cli: " << BankImages::bank_count - written.size()
                  << " bank file(s) could not be written\n";
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
    return compile_project(project_context(args[0]), images, messages);
}

}  // namespace fenwarp::cli
