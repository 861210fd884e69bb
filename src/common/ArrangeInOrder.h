#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace kalderon {

// Rearranges `items` in place so that position p holds what stood at
// order[p]; `order` (a permutation of the positions) is used up.  Each cycle
// of the permutation is followed once, moving every item once, while a
// second cursor runs some steps ahead on the cycle and fetches the items to
// come, so that the jumps through memory do not wait on each other.  No
// second array of the items is needed.
template <class T, class Position>
void ArrangeInOrder(std::vector<T>& items, std::vector<Position>& order)
{
    constexpr int kAhead = 16;
    const auto fetch = [&items](Position at) {
        const char* item = reinterpret_cast<const char*>(items.data() + at);
        __builtin_prefetch(item, 1);
        __builtin_prefetch(item + sizeof(T) - 1, 1);
    };
    const auto n = static_cast<Position>(order.size());
    for (Position start = 0; start < n; ++start) {
        if (order[start] == start) continue;  // in place, or placed already
        Position ahead = start;
        for (int step = 0; step < kAhead && order[ahead] != start; ++step) fetch(ahead = order[ahead]);
        T held = std::move(items[start]);
        Position at = start;
        for (;;) {
            const Position from = order[at];
            order[at] = at;
            if (from == start) {
                items[at] = std::move(held);
                break;
            }
            items[at] = std::move(items[from]);
            at = from;
            if (order[ahead] != start && order[ahead] != ahead) fetch(ahead = order[ahead]);
        }
    }
}

}  // namespace kalderon
