#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kalderon {

// Sorts `n` items stably by the low `bits` bits of keyOf(item), a digit of
// at most 11 bits a pass (a pass whose digit all keys share is skipped),
// moving them between `items` and `buffer`; returns where the result lies.
// Linear time: for a million keys several times faster than a comparison
// sort.
template <class Item, class KeyOf>
Item* RadixSortBy(Item* items, Item* buffer, size_t n, int bits, KeyOf keyOf)
{
    const int passes = (bits + 10) / 11;
    const int digitBits = passes ? (bits + passes - 1) / passes : 0;
    const std::uint64_t mask = (std::uint64_t{1} << digitBits) - 1;
    std::vector<size_t> start(size_t{1} << digitBits);
    for (int shift = 0; shift < bits; shift += digitBits) {
        std::fill(start.begin(), start.end(), 0);
        for (size_t i = 0; i < n; ++i) ++start[(keyOf(items[i]) >> shift) & mask];
        if (std::find(start.begin(), start.end(), n) != start.end()) continue;  // one digit for all
        size_t sum = 0;
        for (size_t& s : start) sum += std::exchange(s, sum);
        for (size_t i = 0; i < n; ++i) buffer[start[(keyOf(items[i]) >> shift) & mask]++] = items[i];
        std::swap(items, buffer);
    }
    return items;
}

// Sorts 64-bit keys ascending.
void RadixSort(std::vector<std::uint64_t>& keys);

}  // namespace kalderon
