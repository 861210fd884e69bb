#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>
#include <memory>

#include "common/BackgroundPrefault.h"

namespace kalderon {
namespace {

// Mapping pages ahead never changes a byte: neither bytes written before it
// starts nor bytes written while it runs, in either direction.
TEST(BackgroundPrefaultTest, LeavesEveryByteAsTheFillingWritesIt)
{
    constexpr size_t kBytes = 48u << 20;
    for (const auto direction : {BackgroundPrefault::kFrontToBack, BackgroundPrefault::kBackToFront}) {
        const std::unique_ptr<unsigned char[]> buffer(new unsigned char[kBytes]);
        const auto pattern = [](size_t i) { return static_cast<unsigned char>((i * 2654435761u) >> 13); };
        for (size_t i = 0; i < (8u << 20); ++i) buffer[i] = pattern(i);  // before the mapping starts
        {
            BackgroundPrefault prefault;
            prefault.Start(buffer.get(), kBytes, direction);
            for (size_t i = 8u << 20; i < kBytes; ++i) buffer[i] = pattern(i);
        }
        size_t wrong = 0;
        for (size_t i = 0; i < kBytes; ++i) wrong += buffer[i] != pattern(i);
        EXPECT_EQ(wrong, 0u) << direction;
    }
}

// A small range is left alone, and stopping, restarting and stopping again
// are harmless, also before the buffer is freed.
TEST(BackgroundPrefaultTest, StartsAndStopsAnyNumberOfTimes)
{
    std::vector<char> small(1000, 'x');
    BackgroundPrefault prefault;
    prefault.Start(small.data(), small.size());
    prefault.Stop();
    prefault.Stop();
    std::vector<char> large(32u << 20);
    prefault.Start(large.data(), large.size());
    prefault.Start(large.data(), large.size(), BackgroundPrefault::kBackToFront);
    prefault.Stop();
    EXPECT_EQ(std::string(small.begin(), small.end()), std::string(1000, 'x'));
    EXPECT_EQ(std::count(large.begin(), large.end(), 0), static_cast<std::ptrdiff_t>(large.size()));
}

}  // namespace
}  // namespace kalderon
