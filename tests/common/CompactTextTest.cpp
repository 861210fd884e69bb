#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/CompactText.h"

namespace kalderon {
namespace {

std::string RandomBytes(std::mt19937& random, size_t size)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>(byte(random));
    return text;
}

// Texts in place (up to 7 bytes) and in a block, with zero and high bytes,
// keep their bytes through copies, moves and assignments in every
// direction, and compare and order as std::string does.
TEST(CompactTextTest, HoldsAndComparesBytesLikeStdString)
{
    std::mt19937 random(7);
    std::vector<std::string> texts{"", std::string(1, '\0'), "1", "1234567", "12345678", std::string(7, '\xff'),
                                   std::string(8, '\0')};
    for (size_t size = 0; size <= 40; ++size)
        for (int k = 0; k < 5; ++k) texts.push_back(RandomBytes(random, size));

    std::vector<CompactText> held;
    for (const std::string& text : texts) held.emplace_back(text);
    for (size_t i = 0; i < texts.size(); ++i) {
        ASSERT_EQ(held[i].view(), texts[i]) << i;
        ASSERT_EQ(held[i].size(), texts[i].size());
        ASSERT_EQ(held[i].empty(), texts[i].empty());
        ASSERT_EQ(held[i].str(), texts[i]);
    }

    for (size_t i = 0; i < texts.size(); ++i) {
        const size_t j = (i * 7 + 3) % texts.size();
        CompactText copy = held[i];
        CompactText moved = std::move(copy);
        EXPECT_TRUE(copy.empty());
        EXPECT_EQ(moved, texts[i]);
        CompactText target = held[j];
        target = held[i];
        EXPECT_EQ(target, texts[i]);
        target = std::move(moved);
        EXPECT_EQ(target, texts[i]);
        EXPECT_TRUE(moved.empty());
        const CompactText& same = target;
        target = same;
        EXPECT_EQ(target, texts[i]);
        target = CompactText(texts[j]);
        EXPECT_EQ(target, texts[j]);
        EXPECT_EQ(held[i], texts[i]);

        EXPECT_EQ(held[i] == held[j], texts[i] == texts[j]);
        EXPECT_EQ(held[i] < held[j], texts[i] < texts[j]);
        EXPECT_EQ(held[i] > texts[j], texts[i] > texts[j]);
        EXPECT_EQ(texts[j] == held[i], texts[j] == texts[i]);
    }
    EXPECT_EQ(CompactText("1"), "1");
    EXPECT_NE(CompactText(std::string("a\0b", 3)), "a");
}

}  // namespace
}  // namespace kalderon
