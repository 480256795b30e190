#include "core/documents/emcy/emcy_order.h"

#include <algorithm>
#include <numeric>

namespace fenwarp::emcy {

std::vector<std::size_t> save_order(std::span<const std::int32_t> keys) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (keys[a] != keys[b]) return keys[a] < keys[b];
        return a > b;
    });
    return order;
}

}  // namespace fenwarp::emcy
