#include <gtest/gtest.h>

#include <random>

#include "stats/NumbersAtRisk.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/SurvivalAtTimes.h"
#include "stats/TimeUnit.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

// The first row of every distinct time with a death: the table's own number
// at risk there is the number at risk at that time.
std::vector<size_t> FirstDeathRowsOfTheirTime(const std::vector<CTimePointResult>& rows, const std::string& event)
{
    std::vector<size_t> found;
    for (size_t j = 0; j < rows.size(); ++j) {
        const bool first = j == 0 || rows[j - 1].survivalDays != rows[j].survivalDays;
        if (first && rows[j].statusText == event) found.push_back(j);
    }
    return found;
}

// The chart's numbers at risk and the curve read at each time (in days).
void ExpectTheTablesOwnNumbersAtRisk(const CAnalysisData& data, AnalysisKind kind)
{
    for (const CGroupResult& group : data.groupResults) {
        const auto& rows = group.timePoints;
        std::vector<double> times;
        std::vector<double> expected;
        for (size_t j : FirstDeathRowsOfTheirTime(rows, data.eventCode)) {
            times.push_back(rows[j].survivalDays);
            expected.push_back(rows[j].atRisk);
        }
        const std::vector<std::int64_t> counted = NumbersAtRisk(rows, times, 1.0);
        ASSERT_EQ(counted.size(), times.size());
        for (size_t i = 0; i < times.size(); ++i) {
            SCOPED_TRACE(::testing::Message() << "day " << times[i]);
            EXPECT_EQ(static_cast<double>(counted[i]), expected[i]);
            EXPECT_EQ(CurveValueAt(data, group, kind, times[i]).atRisk, expected[i]);
        }
    }
}

}  // namespace

TEST(NumbersAtRisk, TinyGroupsAtTheYearlyTicksByHand)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases());
    ASSERT_EQ(ComputeProductLimit(data, cases, true), std::nullopt);
    const std::vector<double> years = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    // Group A ends after 365, 366, 547, 730, 1277 and 3652 days: the death
    // on day 365 lies before the tick at 365.25 days, the last case
    // (9.9986 years) before the tick at 10.
    EXPECT_EQ(NumbersAtRisk(data.groupResults[0].timePoints, years, 365.25),
              (std::vector<std::int64_t>{6, 5, 2, 2, 1, 1, 1, 1, 1, 1, 0}));
    // Group B ends after 364, 365, 365, 731, 731 and 1460 days.
    std::vector<int> days;
    for (const CTimePointResult& row : data.groupResults[1].timePoints) days.push_back(row.survivalDays);
    EXPECT_EQ(days, (std::vector<int>{364, 365, 365, 731, 731, 1460}));
    EXPECT_EQ(NumbersAtRisk(data.groupResults[1].timePoints, years, 365.25),
              (std::vector<std::int64_t>{6, 3, 3, 1, 0, 0, 0, 0, 0, 0, 0}));
    // In months (30.4375 days) around the deaths of group A on days 365 and 366.
    EXPECT_EQ(NumbersAtRisk(data.groupResults[0].timePoints, {11.99, 12.0, 12.03, 18.0}, 30.4375),
              (std::vector<std::int64_t>{6, 5, 4, 3}));
    EXPECT_TRUE(NumbersAtRisk(data.groupResults[0].timePoints, {}, 365.25).empty());
}

TEST(NumbersAtRisk, DelayedEntriesCountFromTheDayAfterTheirEntry)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, {
                                                   MakeCase(1, Ymd(2000, 1, 1), Ymd(2000, 1, 1), "0"),
                                                   MakeCase(2, Ymd(2000, 2, 1), Ymd(2000, 2, 1), "1"),
                                                   MakeCase(3, Ymd(1999, 12, 1), Ymd(2000, 3, 1), "1"),
                                                   MakeCase(4, Ymd(2000, 5, 1), Ymd(2000, 6, 1), "1"),
                                               });
    data.periodBegin = Ymd(2000, 1, 1);
    data.periodEnd = Ymd(2000, 12, 31);
    ASSERT_EQ(ComputePeriodProductLimit(data, cases, false), std::nullopt);
    // Rows (entry, time): case 2 (0, 0), case 1 (0, 0), case 4 (0, 31),
    // case 3 (30, 91).  Case 3 is under observation from day 31 to day 91.
    EXPECT_EQ(NumbersAtRisk(data.groupResults[0].timePoints, {0, 1, 30, 31, 32, 91, 92}, 1.0),
              (std::vector<std::int64_t>{3, 1, 1, 2, 1, 1, 0}));
}

TEST(NumbersAtRisk, AgreeWithTheTablesAtEveryDeathOnRandomData)
{
    std::mt19937 rng(23);
    for (int maxDays : {2, 60, 900}) {
        CAnalysisData cohort;
        const CaseList cohortCases = BuildCaseList(cohort, RandomCases(rng, 400, 400, maxDays));
        ASSERT_EQ(ComputeProductLimit(cohort, cohortCases, true), std::nullopt);
        cohort.timeUnit = kUnitDay;
        ExpectTheTablesOwnNumbersAtRisk(cohort, kProductLimit);

        CAnalysisData period;
        const CaseList periodCases = BuildCaseList(period, RandomCases(rng, 400, 400, maxDays));
        period.periodBegin = DateValue::FromSerial(36526.0 + 150);
        period.periodEnd = DateValue::FromSerial(36526.0 + 300);
        ASSERT_EQ(ComputePeriodProductLimit(period, periodCases, true), std::nullopt);
        period.timeUnit = kUnitDay;
        period.periodTechnique = kProductLimitTechnique;
        ExpectTheTablesOwnNumbersAtRisk(period, kPeriodAnalysis);
    }
}
