#pragma once

#include <optional>

#include "core/documents/emcyword/emcy_word.h"
#include "core/documents/table/table_record.h"

namespace fenwarp {

// A word as one record of emcyword.xml, of the CSV file and of the sheet, in
// the attribute order of emcy_word_table(); extdata is the page, 0 or 1.
TableRecord word_record(const TClWEmcy& word, int extdata);
// The word a record holds; its extdata is not looked at.
TClWEmcy record_word(const TableRecord& record);
// The page a record's extdata names: 0 or 1; nothing for any other value.
// Throws nothing; `converts` tells whether extdata was an integer at all.
struct RecordPage {
    bool converts = false;
    std::optional<int> page;
};
RecordPage record_page(const TableRecord& record);

}  // namespace fenwarp
