#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "stats/DelayedEntryAtRisk.h"
#include "support/LiteralProductLimit.h"

using namespace kalderon;

namespace {
std::vector<CTimePointResult> Rows(const std::vector<std::pair<int, int>>& timeAndEntry)
{
    std::vector<CTimePointResult> rows;
    for (auto [time, entry] : timeAndEntry) {
        CTimePointResult row;
        row.survivalDays = time;
        row.entryDays = entry;
        rows.push_back(row);
    }
    return rows;
}
}  // namespace

TEST(DelayedEntryAtRisk, TimeZeroCountsOnlyRowsAtRiskFromTheStart)
{
    // Row 0 at time 0: only the later rows at risk from the start are at
    // risk (rows 1 and 3; row 4 entered with 0 and is at risk from time 1 on).
    // Row 2 at time 4: the later rows entering before day 4 (rows 3, 4 and 5;
    // row 6 with 4 enters too late); at time 5 row 6 is in.
    const int start = kAtRiskFromStart;
    const auto rows = Rows({{0, start}, {0, start}, {4, 2}, {5, start}, {5, 0}, {6, 3}, {9, 4}});
    EXPECT_EQ(CountAtRiskWithDelayedEntry(rows), (std::vector<std::int32_t>{3, 2, 4, 4, 3, 2, 1}));
}

TEST(DelayedEntryAtRisk, MatchesTheLiteralCountOnRandomTables)
{
    std::mt19937 rng(5);
    for (int span : {1, 3, 30, 3000}) {
        std::uniform_int_distribution<int> value(0, span);
        std::bernoulli_distribution entersLate(0.6);
        for (int round = 0; round < 20; ++round) {
            std::vector<std::pair<int, int>> pairs;
            for (int i = 0; i < 400; ++i) {
                const int time = value(rng);
                const int entry = entersLate(rng) ? std::max(0, time - 1 - value(rng)) : kAtRiskFromStart;
                pairs.emplace_back(time, entry);
            }
            std::sort(pairs.begin(), pairs.end(), [](auto a, auto b) { return a.first < b.first; });
            const auto rows = Rows(pairs);
            const std::vector<std::int32_t> fast = CountAtRiskWithDelayedEntry(rows);
            const std::vector<int> literal = kalderon::testing::LiteralAtRisk(rows);
            ASSERT_EQ(std::vector<int>(fast.begin(), fast.end()), literal) << "span " << span;
        }
    }
}
