#include <gtest/gtest.h>

#include <string>

#include "analysis/ParameterChoices.h"
#include "charts/ChartProfile.h"
#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/RecordingCanvas.h"
#include "import/TextFileReader.h"
#include "stats/LifeTable.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/Trend.h"

namespace kalderon {
namespace {

// The computations of the example data set drawn as their charts.

using testing::RecordingCanvas;

// The example data set read with its age groups (field 4), event "1",
// yearly intervals.
DataSet ReadExample()
{
    TextImportSettings settings;
    settings.useGroup = true;
    settings.groupColumn = 4;
    ReadResult<DataSet> read = ReadTextFile(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt", settings);
    EXPECT_TRUE(read.ok()) << ReaderFaultMessage(read.fault());
    DataSet dataSet = read ? std::move(*read) : DataSet();
    ApplyParameterChoices(dataSet.analysis, ParameterChoices{"1", 0, ".95"});
    return dataSet;
}

LifeTableChart ChartOf(const CAnalysisData& analysis, int kind, int n = 0)
{
    const MemoryChartProfile builtInDefaults;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kind, n, builtInDefaults);
    return chart;
}

RecordingCanvas Draw(LifeTableChart& chart)
{
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    return canvas;
}

int CountOf(const RecordingCanvas& canvas, const std::vector<std::string>& records, const std::string& prefix)
{
    int n = 0;
    for (const std::string& r : records) n += r.rfind(prefix, 0) == 0;
    return n;
}

TEST(AnalysisChartsTest, LifeTableOfTheAgeGroups)
{
    DataSet data = ReadExample();
    ASSERT_EQ(ComputeLifeTable(data.analysis, data.cases, true), std::nullopt);
    LifeTableChart chart = ChartOf(data.analysis, kChartLifeTable);
    ASSERT_EQ(chart.seriesCount, 4);
    const RecordingCanvas canvas = Draw(chart);
    // A marker per interval with exposure, of four different symbols.
    int rows = 0;
    for (const CGroupResult& g : data.analysis.groupResults) {
        for (const CIntervalResult& r : g.intervalTable.rows) rows += r.exposedToRisk > 0;
    }
    const auto markers = canvas.Between("clip 0,0 800,600", "restore");
    EXPECT_EQ(CountOf(canvas, markers, "brush"), rows);
}

TEST(AnalysisChartsTest, ProductLimitMarksEveryCensoredCase)
{
    DataSet data = ReadExample();
    ASSERT_EQ(ComputeProductLimit(data.analysis, data.cases, true), std::nullopt);
    LifeTableChart chart = ChartOf(data.analysis, kChartProductLimit);
    ASSERT_EQ(chart.seriesCount, 4);
    const RecordingCanvas canvas = Draw(chart);
    int censored = 0;
    for (const CGroupResult& g : data.analysis.groupResults) {
        for (const CTimePointResult& r : g.timePoints) censored += r.statusText != "1";
    }
    const auto markers = canvas.Between("clip 0,0 800,600", "restore");
    EXPECT_EQ(CountOf(canvas, markers, "line"), censored);  // one vertical bar each
}

TEST(AnalysisChartsTest, PeriodAnalysisStartsAtTheFirstInterval)
{
    DataSet data = ReadExample();
    data.analysis.periodBegin = DateValue::FromYmd(1986, 1, 1);
    data.analysis.periodEnd = DateValue::FromYmd(1990, 12, 31);
    data.analysis.PrepareTimeWindow();
    data.analysis.periodTechnique = 0;
    ASSERT_EQ(ComputePeriodAnalysis(data.analysis, data.cases, true), std::nullopt);
    LifeTableChart chart = ChartOf(data.analysis, ChartKindOfAnalysis(kPeriodAnalysis, 0));
    ASSERT_EQ(chart.chartKind, kChartPeriodAnalysis);
    EXPECT_EQ(chart.timeAxis.minValue, 0.0);
    const auto& rows = data.analysis.groupResults[0].intervalTable.rows;
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(chart.timeAxis.maxValue, rows.back().intervalNumber + 1.0);
    const RecordingCanvas canvas = Draw(chart);
    // The first group's circles: one per row with exposure and one in the legend.
    EXPECT_EQ(canvas.Count("ellipse"), static_cast<int>(rows.size()) + 1);
}

TEST(AnalysisChartsTest, TrendShowsMarkersWithoutCurves)
{
    DataSet data = ReadExample();
    data.analysis.survivalYears = 5;
    data.analysis.periodWidth = 5;
    ASSERT_EQ(ComputeTrend(data.analysis, data.cases, true), std::nullopt);
    LifeTableChart chart = ChartOf(data.analysis, kChartTrend, data.analysis.survivalYears);
    EXPECT_EQ(chart.titleText, "5-year survival");
    EXPECT_EQ(chart.timeAxis.skipFirstTick, 1);
    const RecordingCanvas canvas = Draw(chart);
    // In the plot only bars: a CI pen, the bar, the cap pen and two caps each.
    const auto curves = canvas.Between(
        "clip " + std::to_string(chart.plotRect.left) + "," + std::to_string(chart.plotRect.top) + " " +
            std::to_string(chart.plotRect.right) + "," + std::to_string(chart.plotRect.bottom),
        "clip 0,0");
    EXPECT_EQ((curves.size() - 1) % 5, 0u);
    EXPECT_GT(curves.size(), 1u);
}

}  // namespace
}  // namespace kalderon
