#include <gtest/gtest.h>

#include <random>

#include "stats/TimePointOrder.h"
#include "support/LiteralProductLimit.h"

using namespace kalderon;
using kalderon::testing::LiteralInsertTimePoint;

namespace {

// Orders arrivals both ways; entryDays carries the arrival number.
void ExpectSameOrder(const std::vector<std::pair<int, bool>>& arrivals)
{
    std::vector<CTimePointResult> literal;
    TimePointOrder fast;
    for (size_t i = 0; i < arrivals.size(); ++i) {
        CTimePointResult row;
        row.entryDays = static_cast<int>(i);
        row.survivalDays = arrivals[i].first;
        row.statusText = arrivals[i].second ? "1" : "0";
        LiteralInsertTimePoint(literal, row, "1");
        fast.Add(arrivals[i].first, arrivals[i].second);
    }
    const std::vector<std::uint32_t> order = fast.Finish();
    ASSERT_EQ(order.size(), literal.size());
    for (size_t k = 0; k < order.size(); ++k) ASSERT_EQ(static_cast<int>(order[k]), literal[k].entryDays) << k;
}

}  // namespace

TEST(TimePointOrder, DeathsFirstLaterDeathsEarlierCensoredInArrivalOrder)
{
    TimePointOrder order;
    order.Add(5, false);  // 0
    order.Add(5, true);   // 1
    order.Add(3, false);  // 2
    order.Add(5, true);   // 3
    order.Add(5, false);  // 4
    order.Add(0, true);   // 5
    order.Add(7, true);   // 6
    EXPECT_EQ(order.Finish(), (std::vector<std::uint32_t>{5, 2, 3, 1, 0, 4, 6}));
}

TEST(TimePointOrder, MatchesTheLiteralInsertOnRandomData)
{
    std::mt19937 rng(31);
    for (int maxTime : {0, 2, 20, 5000}) {
        std::uniform_int_distribution<int> time(0, maxTime);
        std::bernoulli_distribution death(0.5);
        for (int round = 0; round < 20; ++round) {
            std::vector<std::pair<int, bool>> arrivals;
            for (int i = 0; i < 300; ++i) arrivals.emplace_back(time(rng), death(rng));
            ExpectSameOrder(arrivals);
        }
    }
}
