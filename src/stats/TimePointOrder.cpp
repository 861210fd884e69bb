#include "stats/TimePointOrder.h"

#include "common/LargeArrays.h"
#include "common/RadixSort.h"

namespace kalderon {
namespace {

constexpr std::uint32_t kCensoredBase = 0x80000000u;
constexpr std::uint32_t kDeathTop = 0x7FFFFFFFu;

}  // namespace

// The high word orders by time (the sign bit flipped so that negative times
// sort first), the low word puts deaths (counting down from kDeathTop, so a
// later death sorts first) before censored cases (counting up).
void TimePointOrder::Add(std::int32_t survivalDays, bool isDeath)
{
    const auto arrival = static_cast<std::uint32_t>(keys_.size());
    const std::uint32_t time = static_cast<std::uint32_t>(survivalDays) ^ kCensoredBase;
    const std::uint32_t rank = isDeath ? kDeathTop - arrival : kCensoredBase + arrival;
    keys_.push_back(static_cast<std::uint64_t>(time) << 32 | rank);
}

std::vector<std::uint32_t> TimePointOrder::Finish()
{
    RadixSort(keys_);
    auto order = LargeVector<std::uint32_t>(keys_.size());
    for (size_t i = 0; i < keys_.size(); ++i) {
        const auto rank = static_cast<std::uint32_t>(keys_[i]);
        order[i] = rank >= kCensoredBase ? rank - kCensoredBase : kDeathTop - rank;
    }
    std::vector<std::uint64_t>().swap(keys_);
    return order;
}

}  // namespace kalderon
