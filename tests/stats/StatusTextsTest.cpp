#include <gtest/gtest.h>

#include "stats/StatusTexts.h"

using namespace kalderon;

TEST(StatusTexts, NumbersStayTheSameBeyondTheScannedFew)
{
    StatusTexts texts;
    std::vector<std::uint32_t> numbers;
    for (int round = 0; round < 2; ++round)
        for (int code = 0; code < 20; ++code) numbers.push_back(texts.Number("code" + std::to_string(code)));
    for (int code = 0; code < 20; ++code) {
        EXPECT_EQ(numbers[code], static_cast<std::uint32_t>(code));
        EXPECT_EQ(numbers[20 + code], static_cast<std::uint32_t>(code));
        EXPECT_EQ(texts.Text(code), "code" + std::to_string(code));
    }
    EXPECT_EQ(texts.Number(""), 20u);
}
