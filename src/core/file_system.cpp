#include "core/file_system.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/error.h"

namespace fenwarp {

bool is_file(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

bool is_folder(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

void remove_quietly(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

void write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw Error("Cannot create file " + path.string() + ": " + std::strerror(errno));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            remove_quietly(temporary);
            throw Error("Cannot write file " + path.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        remove_quietly(temporary);
        throw Error("Cannot replace file " + path.string() + ": " + ec.message());
    }
}

}  // namespace fenwarp
