#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>
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

// Blocks of a megabyte or more start on a huge page and hold what they are
// given; a request beyond any memory fails rather than wrapping around.
TEST(LargeArraysTest, LargeBlocksStartOnHugePages)
{
    if (!detail::LargeBlocksStartOnHugePages()) GTEST_SKIP() << "allocation left to the sanitizers or the system";
    std::vector<std::uint8_t> codes((1 << 20) + 1, 7);
    std::string texts(5'000'000, 'x');
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(codes.data()) % (2 << 20), 0u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(texts.data()) % (2 << 20), 0u);
    EXPECT_EQ(codes.back(), 7);
    EXPECT_EQ(texts.back(), 'x');
    volatile size_t beyondAnyMemory = SIZE_MAX - 100;
    EXPECT_THROW(static_cast<void>(::operator new(beyondAnyMemory)), std::bad_alloc);
}

}  // namespace
}  // namespace kalderon
