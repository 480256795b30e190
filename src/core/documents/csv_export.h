#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace fenwarp {

// The CSV file of a table: the document base name followed by ".csv" in the
// project directory.
std::filesystem::path csv_path(const std::filesystem::path& project_dir,
                               std::string_view base_name);

// One field as the file holds it: as it stands, unless it holds a comma, a
// double quote, a CR or a LF; then it is put in double quotes with inner quotes
// doubled, so that it cannot shift the fields after it.
std::string csv_field(std::string_view text);

// The lines of an exported table: every field followed by ",", every line
// ended by CR LF.
class CsvText {
  public:
    void add_line(std::span<const std::string> fields);
    const std::string& text() const { return text_; }

    // Writes the lines to the file, replacing one that exists; the new file is
    // written beside it first, so a failed export leaves the old one whole.
    // Throws Error with the system's reason when the file cannot be written.
    void save(const std::filesystem::path& file) const;

  private:
    std::string text_;
};

}  // namespace fenwarp
