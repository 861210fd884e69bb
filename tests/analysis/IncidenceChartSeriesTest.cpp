#include <gtest/gtest.h>

#include "analysis/CompetingCodes.h"
#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "charts/ChartDrawContext.h"
#include "charts/ChartFileFormat.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "import/TextFileReader.h"

namespace kalderon {
namespace {

LifeTableChart ChartOf(const AnalysisOutcome& outcome)
{
    LifeTableChart chart;
    chart.InitFromAnalysis(outcome.ChartData(), outcome.chartKind, 0, MemoryChartProfile());
    chart.showNumbersAtRisk = true;
    return chart;
}

// The chart of the incidence at event days: a series per group and cause,
// rising from 0, with the numbers at risk of the group's product-limit
// chart under each; a chart file keeps them.
TEST(IncidenceChartSeriesTest, SeriesPerGroupAndCauseWithTheProductLimitNumbersAtRisk)
{
    TextImportSettings settings;
    settings.useGroup = true;
    ReadResult<DataSet> read =
        ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/tests/data/cuminc/rdata3.txt", settings);
    ASSERT_TRUE(read.ok());
    CAnalysisData data = read->analysis;
    ApplyParameterChoices(data, ParameterChoices{"1", kUnitYear, ".95"});
    ASSERT_EQ(SetCompetingCodes(data, {"1"}, {"2"}), std::nullopt);
    data.periodTechnique = kProductLimitTechnique;

    const AnalysisOutcome incidence = RunAnalysis(data, read->cases, {kCumulativeIncidence, true});
    const AnalysisOutcome survival = RunAnalysis(data, read->cases, {kProductLimit, true});
    ASSERT_TRUE(incidence.succeeded() && survival.succeeded());
    const LifeTableChart chart = ChartOf(incidence);
    ASSERT_EQ(chart.chartKind, kChartCumulativeIncidence);
    EXPECT_TRUE(chart.IsProductLimit() && chart.RisesFromZero());
    const size_t groups = data.groupResults.size();
    ASSERT_EQ(chart.seriesCount, static_cast<int>(2 * groups));
    EXPECT_EQ(chart.GroupText(1), GroupName(data.groupResults[0].info) + ": 2");

    const NumbersAtRiskTable atRisk = MakeNumbersAtRiskTable(chart);
    const NumbersAtRiskTable expected = MakeNumbersAtRiskTable(ChartOf(survival));
    ASSERT_EQ(atRisk.ticks, expected.ticks);
    ASSERT_EQ(atRisk.rows.size(), 2 * groups);
    for (size_t row = 0; row < atRisk.rows.size(); ++row)
        EXPECT_EQ(atRisk.rows[row].numbers, expected.rows[row / 2].numbers) << row;

    LifeTableChart reread;
    ASSERT_EQ(ParseChartFile(SerializeChart(chart), reread), ChartFileStatus::kOk);
    reread.showNumbersAtRisk = true;
    EXPECT_TRUE(reread.RisesFromZero() && reread.IsProductLimit());
    EXPECT_EQ(MakeNumbersAtRiskTable(reread).rows.size(), atRisk.rows.size());
    EXPECT_EQ(MakeNumbersAtRiskTable(reread).rows.back().numbers, atRisk.rows.back().numbers);
}

}  // namespace
}  // namespace kalderon
