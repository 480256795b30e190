#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

#include "core/messages.h"

namespace fenwarp {

// State of the string picker: the process-wide strings document path and
// selected index, and the strings shown beside the index numbers 0 to 999.
class StringPicker {
  public:
    static constexpr std::size_t capacity = 1000;
    static constexpr const char* not_found = "File strings XML not found";

    std::filesystem::path strings_path;  // nothing in the program sets it
    int selected_index = 0;

    // What a load did.
    struct LoadResult {
        bool found = false;       // the document was there
        bool read_whole = false;  // and was read without a fault
        std::size_t filled = 0;   // strings put in place, from index 0
        std::size_t ignored = 0;  // children beyond the last row
    };

    // Puts the text content of the root's i-th child at index i. A missing
    // document shows "File strings XML not found", a faulty one "Error in
    // reading file XML" with the strings read before the fault kept. Strings
    // the document does not reach keep what they held.
    LoadResult load(Messages& messages);

    // The grid's row for the selected index (row 0 holds the headings).
    int current_row() const { return selected_index + 1; }

    // Selects grid row `row`; returns the label text "Sel str: " + index.
    std::string select_row(int row);

    const std::string& string_at(std::size_t index) const { return strings_.at(index); }

  private:
    std::array<std::string, capacity> strings_;
};

}  // namespace fenwarp
