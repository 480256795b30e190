#include "core/documents/csv_export.h"

#include "core/file_system.h"
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
    write_file_atomically(file, text_);
}

}  // namespace fenwarp
