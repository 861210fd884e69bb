#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "import/DataSet.h"
#include "import/PopulationTableLoader.h"
#include "import/TextFileReader.h"
#include "resources/Texts.h"
#include "stats/NetSurvivalCases.h"
#include "stats/NetSurvivalTables.h"
#include "stats/TimeUnit.h"
#include "support/LiteralNetSurvival.h"
#include "support/RdataWithSlovenianTable.h"

namespace kalderon {
namespace {

using testing::LiteralNetSurvival;

// rdata.txt with the Slovenian table, relative survival after Ederer II or,
// with `net`, Pohar-Perme; the period of interest 1.1.1988 - 31.12.1992.
class NetSurvivalAnalysisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(testing::ReadRdataWithSlovenianTable(dataSet));
        dataSet.analysis.periodBegin = DateValue::FromYmd(1988, 1, 1);
        dataSet.analysis.periodEnd = DateValue::FromYmd(1992, 12, 31);
    }

    AnalysisOutcome Run(AnalysisKind analysis, bool net, std::int32_t technique = 0)
    {
        CAnalysisData data = dataSet.analysis;
        data.netSurvival = net ? 1 : 0;
        data.periodTechnique = technique;
        return RunAnalysis(std::move(data), dataSet.cases, {analysis, true});
    }

    // The literal day-by-day estimator on the cases of every group.
    std::vector<NetSurvivalCurve> LiteralCurves(bool period) const
    {
        const CAnalysisData& data = dataSet.analysis;
        std::vector<NetSurvivalCurve> curves;
        for (const auto& group : period ? PeriodNetSurvivalCases(data, dataSet.cases, true)
                                        : CohortNetSurvivalCases(data, dataSet.cases, true))
            curves.push_back(LiteralNetSurvival(group, data.populationTables));
        return curves;
    }

    DataSet dataSet;
};

template <typename Row>
void ExpectNetRow(const Row& row, const NetSurvivalCurve& curve, std::int32_t day)
{
    const double s = curve.SurvivalAt(day), se = curve.StandardErrorAt(day);
    EXPECT_NEAR(row.relativeSurvival, s, 1e-12) << day;
    EXPECT_NEAR(row.standardError, se, 1e-12) << day;
    EXPECT_NEAR(row.lowerLimit, std::clamp(s - 1.95996 * se, 0.0, 1.0), 1e-12) << day;
    EXPECT_NEAR(row.upperLimit, std::clamp(s + 1.95996 * se, 0.0, 1.0), 1e-12) << day;
    EXPECT_EQ(row.hasStandardError, 1);
}

TEST_F(NetSurvivalAnalysisTest, IntervalEndsAsTheCountsAssignDays)
{
    EXPECT_EQ(LastDayOfInterval(0, 365.25), 365);
    EXPECT_EQ(LastDayOfInterval(1, 365.25), 730);
    EXPECT_EQ(LastDayOfInterval(3, 365.25), 1460);  // day 1461 is 4.0 years: the fifth interval
    EXPECT_EQ(LastDayOfInterval(0, 30.4375), 30);
    EXPECT_EQ(LastDayOfInterval(1, 7.0), 13);
    EXPECT_EQ(LastDayOfInterval(0, 1.0), 0);
    EXPECT_EQ(LastDayOfInterval(4, 1.0), 4);
}

TEST_F(NetSurvivalAnalysisTest, TablesTakeTheLiteralEstimatorAndKeepTheirOtherColumns)
{
    const std::vector<NetSurvivalCurve> cohort = LiteralCurves(false), period = LiteralCurves(true);
    ASSERT_EQ(cohort.size(), 4u);
    for (const AnalysisKind analysis : {kLifeTable, kProductLimit, kPeriodAnalysis})
        for (const std::int32_t technique : {0, 1}) {
            if (analysis != kPeriodAnalysis && technique == 1) continue;
            SCOPED_TRACE(static_cast<int>(analysis) * 10 + technique);
            const AnalysisOutcome ederer = Run(analysis, false, technique);
            const AnalysisOutcome net = Run(analysis, true, technique);
            ASSERT_TRUE(ederer.succeeded() && net.succeeded()) << net.refusal.value_or("");
            const auto& curves = analysis == kPeriodAnalysis ? period : cohort;
            for (size_t g = 0; g < curves.size(); ++g) {
                const CGroupResult& e = ederer.report.data().groupResults[g];
                const CGroupResult& n = net.report.data().groupResults[g];
                ASSERT_EQ(n.intervalTable.rows.size(), e.intervalTable.rows.size());
                ASSERT_EQ(n.timePoints.size(), e.timePoints.size());
                for (size_t i = 0; i < n.intervalTable.rows.size(); ++i) {
                    const CIntervalResult& r = n.intervalTable.rows[i];
                    EXPECT_EQ(r.cumulativeSurvival, e.intervalTable.rows[i].cumulativeSurvival);
                    EXPECT_EQ(r.expectedSurvival, e.intervalTable.rows[i].expectedSurvival);
                    ExpectNetRow(r, curves[g], LastDayOfInterval(i, 365.25));
                }
                for (size_t k = 0; k < n.timePoints.size(); ++k) {
                    const CTimePointResult& t = n.timePoints[k];
                    EXPECT_EQ(t.expectedSurvival, e.timePoints[k].expectedSurvival);
                    if (t.statusText == "1") ExpectNetRow(t, curves[g], t.survivalDays);
                }
            }
        }
}

TEST_F(NetSurvivalAnalysisTest, TrendTakesTheNYearValueOfEachPeriod)
{
    dataSet.analysis.survivalYears = 3;
    dataSet.analysis.periodWidth = 2;
    for (const std::int32_t technique : {0, 1}) {
        const AnalysisOutcome trend = Run(kTrend, true, technique);
        ASSERT_TRUE(trend.succeeded()) << trend.refusal.value_or("");
        const std::vector<CIntervalResult>& rows = trend.report.data().groupResults[0].intervalTable.rows;
        ASSERT_FALSE(rows.empty());
        for (const CIntervalResult& row : rows) {
            if (row.exposedToRisk <= 0) continue;
            CAnalysisData data = dataSet.analysis;
            data.periodBegin = DateValue::FromYmd(row.intervalNumber, 1, 1);
            data.periodEnd = DateValue::FromYmd(row.intervalNumber + 1, 12, 31);
            const NetSurvivalCurve curve =
                LiteralNetSurvival(PeriodNetSurvivalCases(data, dataSet.cases, true)[0], data.populationTables);
            ExpectNetRow(row, curve, 1095);  // 3 years: day 1095.75 is the fourth year
        }
    }
}

TEST_F(NetSurvivalAnalysisTest, ZeroPopulationSurvivalRefusesInsteadOfAnInfiniteHazard)
{
    // q = 1 at every age of one calendar year that rdata's follow-up covers:
    // every weight after it would be infinite.  Ederer II still computes.
    for (CPopulationYearTable& table : dataSet.analysis.populationTables)
        if (table.year == 1985)
            for (auto* values : {&table.firstSex, &table.secondSex}) std::fill(values->begin(), values->end(), 1.0);
    for (const AnalysisKind analysis : {kLifeTable, kProductLimit, kPeriodAnalysis, kTrend}) {
        const AnalysisOutcome net = Run(analysis, true);
        EXPECT_FALSE(net.succeeded());
        EXPECT_EQ(net.refusal, text::kNetSurvivalUndefined);
        EXPECT_TRUE(Run(analysis, false).succeeded());
    }
}

}  // namespace
}  // namespace kalderon
