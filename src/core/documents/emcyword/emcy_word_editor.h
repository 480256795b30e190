#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/documents/emcyword/emcy_word.h"
#include "core/documents/emcyword/word_tree.h"
#include "core/documents/table/table_editor.h"
#include "core/messages.h"

namespace fenwarp {

// The three word fields of a page, as typed.
struct WordFields {
    std::string index_addrm;  // Eindex_addrmA / Eindex_addrmB
    std::string subindex;     // EsubindexA / EsubindexB
    std::string devid;        // EdevidA / EdevidB

    bool operator==(const WordFields&) const = default;
};

// The four bit fields of a page, as typed.
struct BitFields {
    std::string b0;          // Eb0A / Eb0B, "Mask Byte 1"
    std::string b1;          // Eb1A / Eb1B, the second mask
    std::string emcy_byte1;  // EposcompA / EposcompB, "Emcy byte 1"
    std::string emcy_byte2;  // EposcompA2 / EposcompB2, "Emcy Byte 2"

    bool operator==(const BitFields&) const = default;
};

// One notebook page: page 0 "Can0" holds the words fed by EMCYs on CAN 0
// (extdata 0), page 1 "Can1" those fed by EMCYs on CAN 1 (extdata 1).
struct EmcyWordPage {
    std::vector<TClWEmcy> words;
    WordTree tree;
    WordFields word_fields;
    BitFields bit_fields;
};

// What Modify did.
enum class WordEdit {
    Nothing,       // no node selected
    Stored,        // the word's key, or the bit's masks and poscomp, stored
    Refused,       // "Index Not Valid": nothing stored
    NotConverted,  // a bit's masks stored, poscomp kept: an EMCY byte is no integer
};

// State of the "Define EMCY Word" dialog: both pages' word lists and trees,
// their fields and the two group captions. Texts are kept as typed; only the
// save converts the word keys, to order them.
class EmcyWordEditor : public TableEditor {
  public:
    static constexpr const char* initial_word_caption = "Word n°  Emcy Define ";
    static constexpr const char* initial_bit_caption = "Mask BIT n°  Define";

    std::array<EmcyWordPage, 2> pages;
    // The captions of the word groups and of the bit groups, the same on both
    // pages.
    std::string word_group_caption = initial_word_caption;
    std::string bit_group_caption = initial_bit_caption;

    const TableDescription& table() const override;

    // Empties both lists and trees, leaving nothing selected, and clears the
    // seven fields of both pages.
    void reset();
    // Selects node n of the page's tree (nothing: no node) and shows it: both
    // pages' group captions, the word's fields and, for a bit node, its masks
    // and EMCY byte numbers; a word node clears the bit fields.
    void show_node(int page, std::optional<std::size_t> node);
    // Whether a word key may be stored in the page's list: no text empty, and
    // no other word of the list (the modified one aside) with the same texts.
    bool word_check(int page, const WordFields& key,
                    std::optional<std::size_t> modified = std::nullopt) const;

    // New: a word with the page's word fields and empty bits, captioned one
    // past the last word node (W0 on an empty page). Returns its caption
    // number, or nothing when the key was refused ("Index Not Valid" shown).
    std::optional<int> new_word(int page, Messages& messages);
    // Modify: the selected word node takes the page's word fields (checked as
    // a modification), or the selected bit node the page's bit fields.
    WordEdit modify(int page, Messages& messages);
    // Delete: removes the word whose word node is selected; with a bit node
    // or nothing selected, nothing happens. The tree then selects the word
    // node now in that place, else the one before it, and shows it. Returns
    // whether a word was removed.
    bool delete_word(int page);

    // Reset, then every row of emcyword.xml on the page its extdata names, in
    // document order; a row naming neither page is left out. Nothing is
    // selected afterwards.
    LoadResult load(const std::filesystem::path& file, Messages& messages) override;
    // The Can0 words, then the Can1 words, each in save_order(). Throws Error
    // before writing anything when a word key does not convert.
    void save_document(const std::filesystem::path& file) const override;
    std::vector<TableRecord> document_records() const override;
    // One line per word, Can0 list then Can1 list, in list order, no heading.
    void export_csv(const std::filesystem::path& project_dir) const override;
    // Fills both pages from the sheet, as a load does; a workbook that gives
    // no word leaves the pages as they were.
    ImportResult import_workbook(const std::filesystem::path& workbook,
                                 WorkbookAccess& access) override;

  private:
    void append(int page, TClWEmcy&& word);
};

}  // namespace fenwarp
