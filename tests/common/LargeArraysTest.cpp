#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/LargeArrays.h"

namespace kalderon {
namespace {

// Mapping the pages ahead never changes an element: neither those there
// before nor those the filling appends while the pages are mapped, in a
// table large enough to be mapped and in one too small for it.
TEST(LargeArraysTest, FillLargeKeepsEveryElementAsAppended)
{
    const auto pattern = [](size_t i) { return static_cast<std::uint32_t>(i * 2654435761u); };
    for (const size_t before : {size_t{0}, size_t{3'000'000}}) {
        for (const size_t appended : {size_t{1000}, size_t{12'000'000}}) {
            std::vector<std::uint32_t> v;
            for (size_t i = 0; i < before; ++i) v.push_back(pattern(i));
            const std::uint32_t* room = nullptr;
            FillLarge(v, appended, [&] {
                room = v.data();
                for (size_t i = before; i < before + appended; ++i) v.push_back(pattern(i));
            });
            EXPECT_EQ(v.data(), room) << "appending moved the elements";
            size_t wrong = 0;
            for (size_t i = 0; i < v.size(); ++i) wrong += v[i] != pattern(i);
            EXPECT_EQ(v.size(), before + appended);
            EXPECT_EQ(wrong, 0u) << before << " before, " << appended << " appended";
        }
    }
}

}  // namespace
}  // namespace kalderon
