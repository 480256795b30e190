#include "core/file_system.h"

#include <system_error>

#include "core/output_file.h"

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
    OutputFile out(path);
    out.write(bytes);
    out.commit();
}

}  // namespace fenwarp
