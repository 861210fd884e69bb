#include "stats/RadixSort.h"

#include <algorithm>
#include <array>

namespace kalderon {

void RadixSort(std::vector<std::uint64_t>& keys)
{
    constexpr size_t kSmall = 256;  // below this a comparison sort is faster than eight counts
    if (keys.size() < kSmall) {
        std::sort(keys.begin(), keys.end());
        return;
    }
    std::array<std::array<size_t, 256>, 8> counts{};
    for (const std::uint64_t key : keys)
        for (int byte = 0; byte < 8; ++byte) ++counts[byte][(key >> (8 * byte)) & 0xff];

    std::vector<std::uint64_t> scratch(keys.size());
    std::vector<std::uint64_t>* from = &keys;
    std::vector<std::uint64_t>* to = &scratch;
    for (int byte = 0; byte < 8; ++byte) {
        std::array<size_t, 256>& count = counts[byte];
        const int shift = 8 * byte;
        if (count[((*from)[0] >> shift) & 0xff] == keys.size()) continue;  // the same in every key
        size_t position = 0;
        for (size_t& c : count) {
            const size_t n = c;
            c = position;
            position += n;
        }
        for (const std::uint64_t key : *from) (*to)[count[(key >> shift) & 0xff]++] = key;
        std::swap(from, to);
    }
    if (from != &keys) keys.swap(scratch);
}

}  // namespace kalderon
