#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fenwarp {

// A node of a page's tree: a word node captioned "W" and a number given when
// it was added, or one of its bit nodes "Bit 0" to "Bit 15".
struct WordTreeNode {
    bool word = false;
    int number = 0;  // the caption number of a word node, the bit of a bit node
    std::string caption() const;
};

// Every word occupies 17 consecutive nodes in the tree's flat order: its word
// node, then its bits 0 to 15. Node n belongs to the word at list position
// n / 17; n % 17 is 0 for the word node and k + 1 for bit k.
inline constexpr std::size_t nodes_per_word = 17;

inline std::size_t word_of_node(std::size_t node) {
    return node / nodes_per_word;
}
// The bit a node stands for; nothing for a word node.
inline std::optional<std::size_t> bit_of_node(std::size_t node) {
    const std::size_t within = node % nodes_per_word;
    if (within == 0) return std::nullopt;
    return within - 1;
}
inline std::size_t word_node(std::size_t word) {
    return word * nodes_per_word;
}

// A page's tree as its flat list of nodes, with at most one selected.
class WordTree {
  public:
    const std::vector<WordTreeNode>& nodes() const { return nodes_; }
    std::optional<std::size_t> selected() const { return selected_; }

    // Appends a word node captioned "W" + number and its 16 bit nodes;
    // selects nothing new.
    void add_word(int number);
    // Removes the word node of list position `word` and its bit nodes.
    void remove_word(std::size_t word);
    void clear();
    // Selects node n, or nothing; a number past the last node selects nothing.
    void select(std::optional<std::size_t> node);
    // The caption number of the last word node, nothing for an empty tree.
    std::optional<int> last_word_number() const;

  private:
    std::vector<WordTreeNode> nodes_;
    std::optional<std::size_t> selected_;
};

}  // namespace fenwarp
