#pragma once

#include <cstddef>
#include <vector>

#include "core/documents/emcyword/emcy_word.h"

namespace fenwarp {

// The order one page's words are saved in, as list positions: ascending
// (devid, index_addrm, subindex) by converted value; among equal keys the
// later list position comes first. Every position appears exactly once, keys
// above 999999 included, in their place in that order.
// Throws Error, naming the word and the field, when a key text does not
// convert.
std::vector<std::size_t> save_order(const std::vector<TClWEmcy>& words, int page);

}  // namespace fenwarp
