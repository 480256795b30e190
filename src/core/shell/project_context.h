#pragma once

#include <filesystem>
#include <string>

namespace fenwarp {

struct TableDescription;

// The communication settings' document; the five tables name theirs in their
// descriptions.
inline constexpr const char* pargen_document_name = "pargen.xml";

// The six project documents of a project folder.
struct DocumentPaths {
    std::filesystem::path pargen;
    std::filesystem::path sdo;
    std::filesystem::path emcydef;
    std::filesystem::path emcyword;
    std::filesystem::path rpdodef;
    std::filesystem::path sdopdo;
};

// The single set of paths every subsystem reads. Directories carry no trailing
// separator; the project directory may be empty (no valid project).
struct ProjectContext {
    static constexpr int board_variant = 2;

    std::filesystem::path exe_dir;
    std::filesystem::path template_dir;
    std::filesystem::path projects_dir;
    std::string project_name;
    std::filesystem::path project_dir;
    DocumentPaths documents;

    // Recomputes the six document paths from the project directory. An empty
    // project directory gives the bare names behind a separator, as the
    // workspace has always done.
    void derive_document_paths();
    // The path of a table document in the project directory.
    std::filesystem::path document_path(const TableDescription& table) const;
};

// Joins a folder and a file name with the platform separator, also when the
// folder is empty (then the result is the name behind a separator).
std::filesystem::path join_path(const std::filesystem::path& dir, const std::string& name);

}  // namespace fenwarp
