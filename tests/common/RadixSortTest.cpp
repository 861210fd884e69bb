#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "common/RadixSort.h"

namespace kalderon {
namespace {

TEST(RadixSortTest, SortsLikeAComparisonSort)
{
    std::mt19937_64 random(8);
    const auto check = [](std::vector<std::uint64_t> keys) {
        std::vector<std::uint64_t> expected = keys;
        std::sort(expected.begin(), expected.end());
        RadixSort(keys);
        EXPECT_EQ(keys, expected);
    };
    for (const size_t n : {0, 1, 2, 255, 256, 257, 5000, 100000}) {
        std::vector<std::uint64_t> any(n), timePoints(n), fewValues(n), oneByteVaries(n);
        for (size_t i = 0; i < n; ++i) {
            any[i] = random();
            // Times of up to 20,000 days over arrival ranks, as the product-limit keys are.
            timePoints[i] = (random() % 20000 ^ 0x80000000u) << 32 | (random() % 2 ? 0x7FFFFFFFu - i : 0x80000000u + i);
            fewValues[i] = random() % 3 * 0x0101010101010101ull;  // with duplicates
            oneByteVaries[i] = 0xFFFF0000FFFF00FFull | (random() & 0xff) << 8;
        }
        check(any);
        check(timePoints);
        check(fewValues);
        check(oneByteVaries);
        check(std::vector<std::uint64_t>(n, 42));  // no byte differs: nothing to do
    }
}

}  // namespace
}  // namespace kalderon
