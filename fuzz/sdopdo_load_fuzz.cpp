// Loading the stored PDO map from any bytes ends, whatever the bytes, with
// every entry attached to a PDO of its tab, and a save of what was loaded
// either writes or refuses with an Error.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/documents/sdopdo/stored_pdo_editor.h"
#include "core/error.h"

namespace {

// The run's documents, in a folder removed when the run ends.
struct Folder {
    std::filesystem::path path;
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::filesystem::path folder() {
    static const Folder dir{[] {
        const std::filesystem::path made = std::filesystem::temp_directory_path() /
                                           ("fenwarp-sdopdo-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(made);
        std::ofstream(made / "rpdodef.xml")
            << "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"0\" posind=\"0\" "
               "n_tpdo=\"0\"/><row cobid=\"0x201\" id_dev_orig=\"1\" en_bypass=\"2\" "
               "posind=\"0\" n_tpdo=\"0\"/></rpdodef>";
        std::ofstream(made / "sdo.xml")
            << "<sdo><row conf=\"17\" IndexA=\"0x2000\" SubindexA=\"1\" devIDB=\"1\" "
               "IndexB=\"0x6000\" SubindexB=\"0\" nbyteB=\"1\"/></sdo>";
        return made;
    }()};
    return dir.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path dir = folder();
    {
        std::ofstream out(dir / "sdopdo.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fenwarp::StoredPdoEditor editor;
    fenwarp::MessageRecorder messages;
    editor.load(dir / "sdopdo.xml", messages);
    for (int t = 0; t < fenwarp::stored_pdo::tab_count; ++t) {
        if (editor.tab(t).pdos.size() != 1) __builtin_trap();
        editor.pdo_click(t, 0);
        try {
            editor.entry_click(t, 0);
        } catch (const fenwarp::Error&) {
        }
    }
    try {
        editor.save_document(dir / "saved.xml");
    } catch (const fenwarp::Error&) {
    }
    return 0;
}
