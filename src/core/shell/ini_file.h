#pragma once

#include <filesystem>
#include <string>

namespace fenwarp {

// A private-profile INI file: "[section]" headers and "key=value" lines.
// Sections and keys match without regard to letter case, as the Windows
// profile functions do. Every call opens, reads or writes and closes the file.
class IniFile {
  public:
    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

    // The value, or the default when the file, the section or the key is absent.
    std::string read_string(const std::string& section, const std::string& key,
                            const std::string& fallback) const;

    // Writes the value, keeping every other section, key and line of the file;
    // creates the file when missing. Throws Error when the file cannot be written.
    void write_string(const std::string& section, const std::string& key,
                      const std::string& value) const;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace fenwarp
