#include <iostream>
#include <optional>
#include <system_error>

#include "cli/command_list.h"
#include "cli/project_arg.h"
#include "core/banks/bank_compiler.h"
#include "core/banks/bank_decoder.h"
#include "core/banks/bank_diff.h"
#include "core/banks/decode_notes.h"
#include "core/banks/decoded_documents.h"
#include "core/banks/decoded_listing.h"
#include "core/error.h"
#include "core/firmware/bank_source.h"

namespace fenwarp::cli {
namespace {

namespace fs = std::filesystem;

bool is_bank_source(const std::string& word) {
    std::error_code ec;
    if (fs::is_directory(word, ec)) return fs::exists(fs::path(word) / "bank1.bin", ec);
    return fs::exists(word, ec);
}

// A project is compiled in memory, so it compares as the banks it would give.
DecodedBanks compiled_project(const std::string& project, StderrMessages& messages) {
    const ProjectContext context = project_context(project);
    BankImages images;
    if (!compile_banks(context.project_dir, images, messages).complete) {
        throw Error("the compile of " + context.project_dir.string() + " stopped");
    }
    return decode_banks(images);
}

// SOURCE of diff: an image file, a folder holding bank1.bin, or a PROJECT.
DecodedBanks decoded_side(const std::string& word, StderrMessages& messages) {
    if (is_bank_source(word)) return decode_banks(read_bank_source(word));
    return compiled_project(word, messages);
}

struct DecodeArgs {
    std::string source;
    std::optional<std::string> xml_dir;
};

std::optional<DecodeArgs> parse_decode(const Args& args) {
    DecodeArgs parsed;
    bool have_source = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--xml" && i + 1 < args.size() && !parsed.xml_dir) {
            parsed.xml_dir = args[++i];
        } else if (!have_source && args[i].rfind("--", 0) != 0 && !args[i].empty()) {
            parsed.source = args[i];
            have_source = true;
        } else {
            return std::nullopt;
        }
    }
    if (!have_source || (parsed.xml_dir && parsed.xml_dir->empty())) return std::nullopt;
    return parsed;
}

}  // namespace

// decode BIN_FOLDER|IMAGE [--xml DIR]
int run_decode(const Args& args, StderrMessages&) {
    std::optional<DecodeArgs> parsed = parse_decode(args);
    if (!parsed) {
        std::cerr << "Usage: fenwarp-cli decode BIN_FOLDER|IMAGE [--xml DIR]\n";
        return 2;
    }
    const DecodedBanks banks = decode_banks(read_bank_source(parsed->source));
    for (const std::string& note : decode_notes(banks)) {
        std::cerr << "fenwarp-cli: warning: " << note << "\n";
    }
    if (!parsed->xml_dir) {
        std::cout << decoded_listing(banks);
        return 0;
    }
    // The folder is made when missing, but never its parents: a mistyped
    // path is not silently built. Its "bin" folder makes it a project that
    // compiles as it stands.
    const fs::path folder = *parsed->xml_dir;
    std::error_code ec;
    const bool made_folder = fs::create_directory(folder, ec);
    const bool made_bin = !ec && fs::create_directory(folder / "bin", ec);
    // What this run made goes again when it fails: nothing half-written stays.
    const auto undo = [&] {
        std::error_code ignored;
        if (made_bin) fs::remove(folder / "bin", ignored);
        if (made_folder) fs::remove(folder, ignored);
    };
    if (ec) {
        undo();
        std::cerr << "fenwarp-cli: cannot make " << (folder / "bin").string() << ": "
                  << ec.message() << "\n";
        return 1;
    }
    try {
        for (const fs::path& file : write_decoded_documents(banks, folder)) {
            std::cout << file.string() << "\n";
        }
    } catch (...) {
        undo();
        throw;
    }
    return 0;
}

// diff A B
int run_diff(const Args& args, StderrMessages& messages) {
    if (args.size() != 2 || args[0].empty() || args[1].empty()) {
        std::cerr << "Usage: fenwarp-cli diff A B   (each a PROJECT, a bin folder or an image)\n";
        return 2;
    }
    const DecodedBanks a = decoded_side(args[0], messages);
    const DecodedBanks b = decoded_side(args[1], messages);
    const BanksDiff diff = diff_banks(a, b);
    std::cout << diff_text(diff);
    return diff.equal() ? 0 : 1;
}

}  // namespace fenwarp::cli
