#include "common/RadixSort.h"

#include <bit>

#include "common/LargeArrays.h"

namespace kalderon {

void RadixSort(std::vector<std::uint64_t>& keys)
{
    constexpr size_t kSmall = 256;  // below this a comparison sort is faster than the counts
    if (keys.size() < kSmall) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    std::uint64_t differing = 0;  // the bits in which some key differs from the first
    for (const std::uint64_t key : keys) differing |= key ^ keys.front();
    auto scratch = LargeVector<std::uint64_t>(keys.size());
    const std::uint64_t* sorted = RadixSortBy(keys.data(), scratch.data(), keys.size(), std::bit_width(differing),
                                              [](std::uint64_t key) { return key; });
    if (sorted != keys.data()) keys.swap(scratch);
}

}  // namespace kalderon
