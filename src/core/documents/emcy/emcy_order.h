#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fenwarp::emcy {

// The list positions in the order a save writes them: ascending key, and of
// equal keys the later position first. Up to 999999 this is the order the
// gateway's tools have always written (repeated selection of the smallest key
// below that ceiling, ties going to the later entry); keys above it take their
// place in the same ascending order instead of being left out.
std::vector<std::size_t> save_order(std::span<const std::int32_t> keys);

}  // namespace fenwarp::emcy
