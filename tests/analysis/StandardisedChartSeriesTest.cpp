#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/StandardisedChartSeries.h"

namespace kalderon {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

CGroupResult Group(const std::string& code, int intervals)
{
    CGroupResult group;
    group.info.code = code;
    group.info.label = code + " label";
    group.info.recordsRead = group.info.recordsValid = 50;
    group.intervalTable.ciLevelText = ".95";
    group.intervalTable.maxObservationDays = 1000;
    for (int i = 1; i <= intervals; ++i) {
        CIntervalResult row;
        row.intervalNumber = i;
        row.exposedToRisk = 50.0 - 10 * i;
        row.cumulativeSurvival = 1.0 - 0.1 * i;
        row.expectedSurvival = 1.0 - 0.01 * i;
        group.intervalTable.rows.push_back(row);
    }
    return group;
}

AgeGroupEstimate Available(double value, double se) { return {true, value, se}; }

// Interval 1 with every value, interval 2 without net survival, interval 3
// without a standard error of net survival.
StandardisedGroup Standardised(const std::string& heading)
{
    StandardisedGroup group;
    group.heading = heading;
    group.intervals = {{1, Available(0.85, 0.03), Available(0.98, 0.02), Available(0.9, 0.05)},
                       {2, Available(0.7, 0.04), Available(0.8, 0.05), {}},
                       {3, Available(0.6, 0.05), Available(0.7, 0.06), Available(0.65, kNaN)}};
    return group;
}

TEST(StandardisedChartSeries, NetSurvivalSeriesFollowTheStratifiedGroups)
{
    CAnalysisData data;
    data.relativeSurvival = 1;
    data.netSurvival = 1;
    data.maxRelativeUpper = 1.0;
    data.groupResults = {Group("A", 3), Group("B", 3)};
    const CAnalysisData chart =
        WithStandardisedSeries(data, {Standardised("Group A\r\n"), Standardised("Group B\r\n")}, kIcss2);
    ASSERT_EQ(chart.groupResults.size(), 4u);
    EXPECT_EQ(chart.groupResults[0].info.label, "A label");  // the groups stay as they were
    EXPECT_EQ(chart.groupResults[1].intervalTable.rows[0].cumulativeSurvival, 0.9);
    EXPECT_EQ(chart.groupResults[2].info.code, "A, ICSS 2");
    EXPECT_EQ(chart.groupResults[3].info.code, "B, ICSS 2");
    EXPECT_TRUE(chart.groupResults[3].info.label.empty());
    EXPECT_EQ(chart.groupResults[3].info.recordsRead, 50);

    const std::vector<CIntervalResult>& rows = chart.groupResults[2].intervalTable.rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(chart.groupResults[2].intervalTable.ciLevelText, ".95");
    EXPECT_EQ(rows[0].intervalNumber, 1);
    EXPECT_EQ(rows[0].exposedToRisk, 40.0);  // the group's own row
    EXPECT_EQ(rows[0].cumulativeSurvival, 0.85);
    EXPECT_EQ(rows[0].relativeSurvival, 0.9);
    EXPECT_EQ(rows[0].hasStandardError, 1);
    EXPECT_DOUBLE_EQ(rows[0].lowerLimit, 0.9 - 1.95996 * 0.05);  // 0.802002
    EXPECT_DOUBLE_EQ(rows[0].upperLimit, 0.9 + 1.95996 * 0.05);  // 0.997998
    EXPECT_EQ(rows[1].exposedToRisk, 0.0);  // no net survival: the curve passes over it
    EXPECT_EQ(rows[2].exposedToRisk, 20.0);
    EXPECT_EQ(rows[2].hasStandardError, 0);
    EXPECT_EQ(rows[2].lowerLimit, 0.65);
    EXPECT_EQ(rows[2].upperLimit, 0.65);
    EXPECT_EQ(chart.maxRelativeUpper, 1.0);
}

TEST(StandardisedChartSeries, RelativeSurvivalSeriesOfAllCasesComesRightAfterTheirGroup)
{
    CAnalysisData data;
    data.relativeSurvival = 1;
    data.maxRelativeUpper = 1.0;
    data.groupResults = {Group("A", 2), Group("B", 0), Group("C", 0)};  // not stratified: one analysed group
    data.groupResults[1].info.recordsRead = 0;
    const CAnalysisData chart = WithStandardisedSeries(data, {Standardised("")}, kIcss3);
    ASSERT_EQ(chart.groupResults.size(), 4u);
    EXPECT_EQ(chart.groupResults[1].info.code, "ICSS 3");
    EXPECT_EQ(chart.groupResults[2].info.code, "B");
    const std::vector<CIntervalResult>& rows = chart.groupResults[1].intervalTable.rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].relativeSurvival, 0.98);
    EXPECT_DOUBLE_EQ(rows[0].upperLimit, 0.98 + 1.95996 * 0.02);  // relative limits are not capped at 1
    EXPECT_DOUBLE_EQ(chart.maxRelativeUpper, 1.0191992);
    EXPECT_EQ(rows[1].relativeSurvival, 0.8);
    EXPECT_EQ(rows[1].exposedToRisk, 30.0);
    EXPECT_EQ(rows[2].exposedToRisk, 0.0);  // beyond the group's own rows
}

// The product-limit's series: the group's own rows, its events at the
// standardised survival of their day, none beyond the days or where net
// survival is hidden.
TEST(StandardisedChartSeries, ProductLimitSeriesRunsOverTheGroupsOwnRows)
{
    CAnalysisData data;
    data.relativeSurvival = 1;
    data.netSurvival = 1;
    data.eventCode = "1";
    data.ciLevelText = ".95";
    data.maxRelativeUpper = 1.0;
    data.groupResults = {Group("A", 0)};
    for (const auto& [day, status] : std::vector<std::pair<int, const char*>>{{1, "1"}, {2, "0"}, {3, "1"}, {9, "1"}}) {
        CTimePointResult row;
        row.survivalDays = day;
        row.statusText = status;
        row.relativeSurvival = 0.5;
        data.groupResults[0].timePoints.push_back(row);
    }
    StandardisedGroup group = Standardised("");
    group.days = {{0, Available(1.0, 0.0), Available(1.0, 0.0), Available(1.0, 0.0)},
                  {1, Available(0.9, 0.02), Available(0.95, 0.02), Available(0.97, 0.03)},
                  {2, Available(0.9, 0.02), Available(0.95, 0.02), Available(0.97, 0.03)},
                  {3, Available(0.8, 0.03), Available(0.85, 0.03), {}}};
    const CAnalysisData chart = WithStandardisedSeries(data, {group}, kIcss1, true);
    ASSERT_EQ(chart.groupResults.size(), 2u);
    const std::vector<CTimePointResult>& rows = chart.groupResults[1].timePoints;
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(chart.groupResults[1].intervalTable.rows.empty());
    EXPECT_EQ(rows[0].cumulativeSurvival, 0.9);
    EXPECT_EQ(rows[0].relativeSurvival, 0.97);
    EXPECT_DOUBLE_EQ(rows[0].lowerLimit, 0.97 - 1.95996 * 0.03);
    EXPECT_EQ(rows[0].upperLimit, 1.0);
    EXPECT_TRUE(rows[0].hasRelativeSurvival);
    EXPECT_EQ(rows[1].relativeSurvival, 0.5);  // censored: only marked on the curve
    EXPECT_FALSE(rows[2].hasRelativeSurvival);
    EXPECT_FALSE(rows[3].hasRelativeSurvival);
    EXPECT_DOUBLE_EQ(chart.maxRelativeUpper, 1.0);
}

}  // namespace
}  // namespace kalderon
