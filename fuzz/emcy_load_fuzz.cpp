// Whatever emcydef.xml holds, a load ends with lists and list boxes of one
// length, entries that name their direction's list, and no empty field; and a
// document the editor saves loads back to the same entries.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/documents/emcy/emcy_editor.h"
#include "core/error.h"

namespace {

std::filesystem::path scratch(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("emcy_load_fuzz_") + std::to_string(getpid()) + name);
}

void check(const fenwarp::EmcyEditor& editor) {
    for (int direction = 0; direction < 2; ++direction) {
        const fenwarp::EmcyPage& page = editor.page(direction);
        if (page.list.size() != page.items.size()) std::abort();
        if (page.selected && *page.selected >= page.list.size()) std::abort();
        for (std::size_t i = 0; i < page.list.size(); ++i) {
            const fenwarp::TClEmcy& entry = page.list[i];
            if (page.items[i] != entry.id_dev()) std::abort();
            if (entry.alias_sel < 0 || entry.alias_sel > 15) std::abort();
            for (const std::string& field : entry.fields) {
                if (field.empty()) std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = scratch(".xml");
    const std::filesystem::path saved = scratch("_saved.xml");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fenwarp::MessageRecorder messages;
    fenwarp::EmcyEditor editor;
    const fenwarp::LoadResult loaded = editor.load(file, messages);
    check(editor);
    if (loaded.status != fenwarp::LoadStatus::Loaded) return 0;
    try {
        editor.save_document(saved);
    } catch (const fenwarp::Error&) {
        return 0;  // an ID that does not convert, or a character XML cannot hold
    }
    fenwarp::EmcyEditor reloaded;
    if (reloaded.load(saved, messages).status != fenwarp::LoadStatus::Loaded) std::abort();
    for (int direction = 0; direction < 2; ++direction) {
        if (reloaded.page(direction).list.size() != editor.page(direction).list.size()) {
            std::abort();
        }
    }
    return 0;
}
