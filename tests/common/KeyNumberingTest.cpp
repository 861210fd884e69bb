#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <unordered_map>

#include "common/KeyNumbering.h"

namespace kalderon {
namespace {

// Keys packed from small fields (the low bits alike for many keys), key 0,
// runs of one key and wide random keys, enough to grow the table many
// times: each is numbered in order of first appearance, as a map does it.
TEST(KeyNumberingTest, NumbersKeysInOrderOfFirstAppearance)
{
    std::mt19937_64 random(7);
    KeyNumbering numbering;
    std::unordered_map<std::uint64_t, std::uint32_t> expected;
    size_t wrong = 0;
    for (int i = 0; i < 400'000; ++i) {
        std::uint64_t key = 0;
        switch (random() % 4) {
        case 0: key = (((1950 + random() % 60) << 16 | random() % 100) << 32) | random() % 3; break;
        case 1: key = random() % 8; break;
        case 2: key = random(); break;
        default: key = expected.empty() ? 0 : expected.begin()->first; break;
        }
        const auto [it, isNew] = expected.try_emplace(key, static_cast<std::uint32_t>(expected.size()));
        const auto [number, numberIsNew] = numbering.Number(key);
        wrong += number != it->second || numberIsNew != isNew;
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(numbering.size(), expected.size());
}

}  // namespace
}  // namespace kalderon
