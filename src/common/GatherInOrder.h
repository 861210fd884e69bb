#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "common/LargeArrays.h"

namespace kalderon {

// The items of `from` moved into a new array in the order of `order`
// (positions into `from`).  The reads jump through memory but do not wait on
// each other, so the items a few places ahead are fetched early.
template <class T, class Position>
std::vector<T> GatherInOrder(std::vector<T>& from, const std::vector<Position>& order)
{
    constexpr size_t kAhead = 16;
    std::vector<T> gathered;
    ReserveLarge(gathered, order.size());
    for (size_t pos = 0; pos < order.size(); ++pos) {
        if (pos + kAhead < order.size()) {
            const char* ahead = reinterpret_cast<const char*>(from.data() + order[pos + kAhead]);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + sizeof(T) - 1);
        }
        gathered.push_back(std::move(from[order[pos]]));
    }
    return gathered;
}

}  // namespace kalderon
