#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace fenwarp {

// The cells of each worksheet that hold a formula, by sheet name (UTF-8) and
// then (row, column) counted from 0. FreeXL gives such cells no value, so the
// reader has to know them to refuse them instead of reading them as empty.
using FormulaCells = std::map<std::string, std::set<std::pair<std::uint32_t, std::uint16_t>>>;

// Scans the workbook stream of an .xls file for its formula records. A file
// whose structure it cannot follow gives what was found up to there: it is
// FreeXL's to refuse the file.
FormulaCells find_formula_cells(const std::filesystem::path& file);

// The same over the bytes of a whole file.
FormulaCells find_formula_cells_in(const std::string& bytes);

}  // namespace fenwarp
