#include "core/documents/csv_export.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "core/error.h"
#include "core/shell/project_context.h"

namespace fenwarp {

std::filesystem::path csv_path(const std::filesystem::path& project_dir,
                               std::string_view base_name) {
    return join_path(project_dir, std::string(base_name) + ".csv");
}

std::string csv_field(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void CsvText::add_line(std::span<const std::string> fields) {
    for (const std::string& field : fields) {
        text_ += csv_field(field);
        text_ += ',';
    }
    text_ += "\r\n";
}

void CsvText::save(const std::filesystem::path& file) const {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw Error("Cannot create file " + file.string() + ": " + std::strerror(errno));
        out.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw Error("Cannot write file " + file.string());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, file, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw Error("Cannot replace file " + file.string() + ": " + ec.message());
    }
}

}  // namespace fenwarp
