#include "core/documents/emcyword/word_tree.h"

#include "core/documents/emcyword/emcy_word.h"

namespace fenwarp {

std::string WordTreeNode::caption() const {
    return (word ? "W" : "Bit ") + std::to_string(number);
}

void WordTree::add_word(int number) {
    nodes_.push_back({true, number});
    for (std::size_t k = 0; k < word_bits; ++k) nodes_.push_back({false, static_cast<int>(k)});
}

void WordTree::remove_word(std::size_t word) {
    const std::size_t first = word_node(word);
    if (first >= nodes_.size()) return;
    nodes_.erase(nodes_.begin() + static_cast<long>(first),
                 nodes_.begin() + static_cast<long>(first + nodes_per_word));
    selected_.reset();
}

void WordTree::clear() {
    nodes_.clear();
    selected_.reset();
}

void WordTree::select(std::optional<std::size_t> node) {
    selected_ = node && *node < nodes_.size() ? node : std::nullopt;
}

std::optional<int> WordTree::last_word_number() const {
    for (auto node = nodes_.rbegin(); node != nodes_.rend(); ++node) {
        if (node->word) return node->number;
    }
    return std::nullopt;
}

}  // namespace fenwarp
