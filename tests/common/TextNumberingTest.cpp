#include <gtest/gtest.h>

#include <random>
#include <unordered_map>

#include "common/TextNumbering.h"

namespace kalderon {
namespace {

// Against numbering by a hash table alone, and each number gives its text back, on texts that arrive again and
// again, before, at and after the change to the hash table; texts that
// differ only after an embedded zero byte or in length count as different.
TEST(TextNumberingTest, NumbersInOrderOfFirstAppearanceBeforeAndAfterTheChangeToHashing)
{
    for (const int distinct : {1, 16, 17, 40, 2000}) {
        std::vector<std::string> texts;
        for (int i = 0; i < distinct; ++i) texts.push_back(i % 3 == 0 ? std::string("a\0", 2) + std::to_string(i)
                                                                      : "code " + std::to_string(i));
        texts.push_back("");
        texts.push_back(std::string(1, '\0'));
        std::mt19937 random(static_cast<unsigned>(distinct));
        std::uniform_int_distribution<size_t> pick(0, texts.size() - 1);
        TextNumbering numbering;
        std::unordered_map<std::string, std::int32_t> expected;
        for (int k = 0; k < 20000; ++k) {
            const std::string& text = texts[pick(random)];
            const auto [it, isNew] = expected.try_emplace(text, static_cast<std::int32_t>(expected.size()));
            const std::pair<std::int32_t, bool> got = numbering.Number(text);
            ASSERT_EQ(got.first, it->second) << distinct << " texts, call " << k;
            ASSERT_EQ(got.second, isNew) << distinct << " texts, call " << k;
            ASSERT_EQ(numbering.Text(got.first), text) << distinct << " texts, call " << k;
        }
    }
}

}  // namespace
}  // namespace kalderon
