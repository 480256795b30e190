// Loading emcyword.xml never crashes, builds each page's tree in step with its
// list, and a map that saves reads back as the same words, each page in its
// save order.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/documents/emcyword/emcy_word_editor.h"
#include "core/documents/emcyword/emcy_word_order.h"
#include "core/error.h"

namespace {

const std::filesystem::path& scratch() {
    static const std::filesystem::path dir = [] {
        auto made = std::filesystem::temp_directory_path() /
                    ("emcyword-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return dir;
}

void check_trees(const fenwarp::EmcyWordEditor& editor) {
    for (const fenwarp::EmcyWordPage& page : editor.pages) {
        if (page.tree.nodes().size() != page.words.size() * fenwarp::nodes_per_word) std::abort();
        if (page.tree.selected()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = scratch() / "emcyword.xml";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fenwarp::MessageRecorder messages;
    fenwarp::EmcyWordEditor editor;
    editor.load(file, messages);
    check_trees(editor);

    const std::filesystem::path saved = scratch() / "saved.xml";
    try {
        editor.save_document(saved);
    } catch (const fenwarp::Error&) {
        return 0;  // a key that does not convert: nothing written
    }
    fenwarp::EmcyWordEditor reread;
    if (reread.load(saved, messages).status != fenwarp::LoadStatus::Loaded) std::abort();
    check_trees(reread);
    for (int page = 0; page < 2; ++page) {
        const auto& before = editor.pages[static_cast<std::size_t>(page)].words;
        const auto& after = reread.pages[static_cast<std::size_t>(page)].words;
        if (before.size() != after.size()) std::abort();
        const auto order = fenwarp::save_order(before, page);
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (!(before[order[i]] == after[i])) std::abort();
        }
    }
    return 0;
}
