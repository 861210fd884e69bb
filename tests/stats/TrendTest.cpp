#include <gtest/gtest.h>

#include <random>

#include "resources/Texts.h"
#include "stats/PeriodAnalysis.h"
#include "stats/Trend.h"
#include "support/CaseListFactory.h"

using namespace kalderon;
using namespace kalderon::testing;

namespace {

// Cases begun 1990-1999, followed until at most 2004, in groups "a" and "b";
// the first begins on 01.01.1990 and the last ends on 31.12.2004.
std::vector<CCaseRecord> Cases1990To2004(int n)
{
    std::mt19937 rng(99);
    const double first = Ymd(1990, 1, 1).serial();
    const double last = Ymd(2004, 12, 31).serial();
    std::uniform_int_distribution<int> begin(0, 3650);
    std::uniform_int_distribution<int> percent(0, 99);
    std::vector<CCaseRecord> cases = {MakeCase(1, Ymd(1990, 1, 1), Ymd(1993, 5, 1), "1", "a"),
                                      MakeCase(2, Ymd(1995, 1, 1), Ymd(2004, 12, 31), "0", "b")};
    for (int i = 3; i <= n; ++i) {
        const double b = first + begin(rng);
        std::uniform_int_distribution<int> length(0, static_cast<int>(last - b));
        cases.push_back(MakeCase(i, DateValue::FromSerial(b), DateValue::FromSerial(b + length(rng)),
                                 percent(rng) < 50 ? "1" : "0", percent(rng) < 50 ? "a" : "b"));
    }
    return cases;
}

// Cases that all begin on 01.01.1990, followed for the given days with the
// given status; one period of the product-limit technique covers them all.
CAnalysisData Followed(CaseList& cases, const std::vector<std::pair<int, const char*>>& followUp)
{
    std::vector<CCaseRecord> rows;
    const DateValue begin = Ymd(1990, 1, 1);
    int number = 1;
    for (auto [days, status] : followUp)
        rows.push_back(MakeCase(number++, begin, DateValue::FromSerial(begin.serial() + days), status));
    CAnalysisData data;
    cases = BuildCaseList(data, rows);
    data.periodTechnique = 1;
    data.periodWidth = data.windowEnd.year() - 1989;
    return data;
}

}  // namespace

TEST(Trend, OneRowPerStartingYearMatchingThePeriodAnalyses)
{
    for (int technique : {0, 1}) {
        SCOPED_TRACE(technique);
        CAnalysisData data;
        const CaseList cases = BuildCaseList(data, Cases1990To2004(400));
        data.groupResults[0].intervalTable.ciLevelText = ".99";
        data.periodTechnique = technique;
        data.survivalYears = 3;
        ASSERT_EQ(ComputeTrend(data, cases, true), std::nullopt);
        EXPECT_EQ(data.periodBegin, Ymd(2000, 1, 1));
        EXPECT_EQ(data.periodEnd, Ymd(2004, 12, 31));

        for (const CGroupResult& group : data.groupResults) {
            const CIntervalResultTable& table = group.intervalTable;
            ASSERT_EQ(table.rows.size(), 11u);
            EXPECT_EQ(table.rows.front().intervalNumber, 1990);
            EXPECT_EQ(table.rows.back().intervalNumber, 2000);
            EXPECT_EQ(table.timeUnit, 0);
            EXPECT_EQ(table.maxObservationDays, 0);
            EXPECT_EQ(table.ciLevelText, ".99");
            EXPECT_EQ(group.info.recordsValid + group.info.recordsSkipped, group.info.recordsRead);
        }

        // The row of 1995 is the 3-year survival of the period 1995-1999.
        const CIntervalResult trend = data.groupResults[1].intervalTable.rows[5];
        CAnalysisData single = data;
        single.periodBegin = Ymd(1995, 1, 1);
        single.periodEnd = Ymd(1999, 12, 31);
        single.groupResults[0].intervalTable.ciLevelText = ".99";
        EXPECT_EQ(ComputePeriodAnalysis(single, cases, true), std::nullopt);
        if (technique == 0) {
            const auto& rows = single.groupResults[1].intervalTable.rows;
            ASSERT_GE(rows.size(), 3u);
            EXPECT_EQ(trend.reserved, rows[0].exposedToRisk);
            EXPECT_EQ(trend.exposedToRisk, rows[2].exposedToRisk);
            EXPECT_EQ(trend.cumulativeSurvival, rows[2].cumulativeSurvival);
            EXPECT_EQ(trend.upperLimit, rows[2].upperLimit);
        } else {
            const auto& rows = single.groupResults[1].timePoints;
            EXPECT_EQ(trend.reserved, rows[0].atRisk);
            size_t last = 0;
            for (size_t i = 0; i < rows.size() && rows[i].survivalDays / 365.25 <= 3.0; ++i)
                if (rows[i].statusText == "1") last = i;
            EXPECT_EQ(trend.exposedToRisk, rows[last].atRisk);
            EXPECT_EQ(trend.cumulativeSurvival, rows[last].cumulativeSurvival);
            EXPECT_EQ(trend.standardError, rows[last].standardError);
        }
    }
}

TEST(Trend, WindowShorterThanTheWidthGivesNoRows)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases());  // 1995-2004
    data.periodWidth = 11;
    ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);
    EXPECT_TRUE(data.groupResults[0].intervalTable.rows.empty());
    // The report still has the record counts.
    EXPECT_EQ(data.groupResults[0].info.recordsRead, 12);
    EXPECT_EQ(data.groupResults[1].info.recordsRead, 0);

    data.periodWidth = 10;
    ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);
    ASSERT_EQ(data.groupResults[0].intervalTable.rows.size(), 1u);
    // Not stratified: the second group gets a row without any cases.
    ASSERT_EQ(data.groupResults[1].intervalTable.rows.size(), 1u);
    EXPECT_EQ(data.groupResults[1].intervalTable.rows[0].reserved, 0.0);
    EXPECT_EQ(data.groupResults[1].intervalTable.rows[0].exposedToRisk, 0.0);
}

TEST(Trend, LifeTableTechniqueStoppedBeforeTheNthInterval)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, {MakeCase(1, Ymd(1990, 1, 1), Ymd(1991, 2, 5), "1"),     // 400 days
                                                MakeCase(2, Ymd(1990, 1, 1), Ymd(1992, 3, 11), "0"),    // 800 days
                                                MakeCase(3, Ymd(1990, 1, 1), Ymd(1992, 6, 19), "1"),    // 900 days
                                                MakeCase(4, Ymd(1994, 1, 1), Ymd(1994, 6, 1), "0")});  // 151 days
    ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);  // one period, 1990-1994, three intervals
    const CIntervalResult& row = data.groupResults[0].intervalTable.rows.at(0);
    EXPECT_EQ(row.reserved, -3.5);  // negated exposure of interval 1: 4 entered, 1 censored
    EXPECT_EQ(row.exposedToRisk, 0.0);
    EXPECT_EQ(row.cumulativeSurvival, 1.0);
    EXPECT_EQ(row.hasStandardError, 0);

    data.survivalYears = 3;
    ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);
    const CIntervalResult& third = data.groupResults[0].intervalTable.rows.at(0);
    EXPECT_EQ(third.reserved, 3.5);
    EXPECT_EQ(third.exposedToRisk, 1.5);
    EXPECT_DOUBLE_EQ(third.cumulativeSurvival, (1 - 1 / 3.0) * (1 - 1 / 1.5));
    EXPECT_EQ(third.hasStandardError, 1);
}

TEST(Trend, ProductLimitTechniqueSearchesTheLastDeathUpToNYears)
{
    {
        // No death before 5 years: survival 1.0 with limits 1.0 and 1.0.
        CaseList cases;
        CAnalysisData data = Followed(cases, {{2557, "0"}, {2922, "1"}});
        ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);
        const CIntervalResult& row = data.groupResults[0].intervalTable.rows.at(0);
        EXPECT_EQ(row.reserved, 2.0);  // the censored first row's number at risk
        EXPECT_EQ(row.exposedToRisk, 2.0);
        EXPECT_EQ(row.cumulativeSurvival, 1.0);
        EXPECT_EQ(row.lowerLimit, 1.0);
        EXPECT_EQ(row.upperLimit, 1.0);
        EXPECT_EQ(row.hasStandardError, 0);
    }
    {
        // Follow-up ends before 5 years: negated number at risk, nothing else.
        CaseList cases;
        CAnalysisData data = Followed(cases, {{300, "1"}, {1000, "0"}, {1800, "1"}, {3000, "0"}});
        data.periodWidth = 5;  // the case followed 3000 days is censored at the end of 1994
        ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);
        const CIntervalResult& row = data.groupResults[0].intervalTable.rows.at(0);
        EXPECT_EQ(row.reserved, -4.0);
        EXPECT_EQ(row.exposedToRisk, 0.0);
        EXPECT_EQ(row.cumulativeSurvival, 1.0);
    }
    {
        // Three deaths at exactly 4 years (1461 days): the survival at 4 years
        // counts all three, so the last of them gives the row.
        CaseList cases;
        CAnalysisData data =
            Followed(cases, {{500, "1"}, {1461, "1"}, {1461, "1"}, {1461, "1"}, {3000, "0"}, {3001, "0"}});
        data.survivalYears = 4;
        ASSERT_EQ(ComputeTrend(data, cases, false), std::nullopt);
        const CIntervalResult& row = data.groupResults[0].intervalTable.rows.at(0);
        EXPECT_EQ(row.reserved, 6.0);
        EXPECT_EQ(row.exposedToRisk, 3.0);
        EXPECT_DOUBLE_EQ(row.cumulativeSurvival, 1.0 / 3.0);
        EXPECT_EQ(row.hasStandardError, 1);

        // A single death at exactly 4 years gives its own row.
        CAnalysisData one = Followed(cases, {{500, "1"}, {1461, "1"}, {3000, "0"}});
        one.survivalYears = 4;
        ASSERT_EQ(ComputeTrend(one, cases, false), std::nullopt);
        EXPECT_EQ(one.groupResults[0].intervalTable.rows.at(0).exposedToRisk, 2.0);
        EXPECT_DOUBLE_EQ(one.groupResults[0].intervalTable.rows.at(0).cumulativeSurvival, 2.0 / 3.0 * 0.5);
    }
}

TEST(Trend, RefusedWithoutChangingTheTables)
{
    CAnalysisData data;
    const CaseList cases = BuildCaseList(data, TinyCases(), "tiny.txt");
    data.groupResults[0].intervalTable.rows.resize(2);
    struct Case {
        int unit, years, width;
        const char* message;
    };
    for (const Case& c : {Case{1, 5, 5, text::kNonYearTrend}, Case{3, 5, 5, text::kNonYearTrend},
                          Case{0, 0, 5, text::kTrendBelowOneYear}, Case{0, 5, 0, text::kTrendBelowOneYear},
                          Case{0, -3, 5, text::kTrendBelowOneYear}}) {
        data.timeUnit = c.unit;
        data.survivalYears = c.years;
        data.periodWidth = c.width;
        EXPECT_EQ(ComputeTrend(data, cases, true), c.message);
        EXPECT_EQ(data.groupResults[0].intervalTable.rows.size(), 2u);
        EXPECT_TRUE(data.groupResults[1].intervalTable.rows.empty());
    }
}
