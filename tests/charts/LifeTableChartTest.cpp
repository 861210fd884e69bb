#include <gtest/gtest.h>

#include "charts/ChartDefaults.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "charts/ChartFixtures.h"

namespace kalderon {
namespace {

using testing::ChartGroup;
using testing::IntervalRow;
using testing::LifeTableAnalysis;
using testing::ProductLimitAnalysis;
using testing::TimePoint;

LifeTableChart MakeChart(const CAnalysisData& analysis, int kind, int n = 0)
{
    MemoryChartProfile empty;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kind, n, empty);
    return chart;
}

TEST(LifeTableChartTest, LifeTableWithEmptyProfileGetsBuiltInTextsAndRanges)
{
    const LifeTableChart chart = MakeChart(LifeTableAnalysis(2), kChartLifeTable);
    EXPECT_EQ(chart.titleText, "Cumulative survival");
    EXPECT_EQ(chart.timeAxis.labelText, "Survival time [years]");
    EXPECT_EQ(chart.survivalAxis.labelText, "Survival rate");
    EXPECT_EQ(chart.registrySection, "Charts\\Cutler-Ederer");
    EXPECT_EQ(chart.timeAxis.registryKey, "Charts\\Cutler-Ederer\\XAxis");
    EXPECT_EQ(chart.survivalAxis.registryKey, "Charts\\Cutler-Ederer\\YAxis");
    EXPECT_EQ(chart.legend.registryKey, "Charts\\Cutler-Ederer\\Legend");
    EXPECT_EQ(chart.legend.ciLabel, "confidence interval");
    EXPECT_EQ(chart.legend.ciPrefix, "95% ");
    EXPECT_EQ(chart.titleAlign, kAlignCenter);
    EXPECT_FLOAT_EQ(chart.titleFont.heightDivisor, 28.0f);
    EXPECT_EQ(chart.titleFont.logFont.lfWeight, 700);
    EXPECT_FLOAT_EQ(chart.timeAxis.labelFont.heightDivisor, 35.0f);
    EXPECT_FLOAT_EQ(chart.timeAxis.numberFont.heightDivisor, 38.0f);
    EXPECT_EQ(chart.timeAxis.labelFont.logFont.lfEscapement, 0);
    EXPECT_EQ(chart.survivalAxis.labelFont.logFont.lfEscapement, 900);
    // Three yearly rows: the axis runs from 0 to the year after the last one.
    EXPECT_EQ(chart.timeAxis.minValue, 0.0);
    EXPECT_EQ(chart.timeAxis.maxValue, 4.0);
    EXPECT_EQ(chart.timeAxis.stepValue, 1.0);
    EXPECT_EQ(chart.timeAxis.skipFirstTick, 0);
    EXPECT_EQ(chart.survivalAxis.maxValue, 1.0);
    EXPECT_EQ(chart.survivalAxis.stepValue, 0.1);
    EXPECT_EQ(chart.modifiedFlag, 1);
    EXPECT_EQ(chart.analysis.groupResults.size(), 2u);
}

TEST(LifeTableChartTest, SeriesColoursAndSymbolsBySeriesIndex)
{
    CAnalysisData analysis = LifeTableAnalysis(8);
    analysis.groupResults[3].info.recordsRead = 0;  // not a series
    const LifeTableChart chart = MakeChart(analysis, kChartPeriodAnalysis);
    ASSERT_EQ(chart.seriesCount, 7);
    ASSERT_EQ(chart.seriesStyles.size(), 7u);
    const ColorRef expected[] = {Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(0, 0, 255), Rgb(128, 128, 0),
                                 Rgb(0, 255, 255), Rgb(255, 0, 255), Rgb(0, 0, 0)};
    for (int k = 0; k < 7; ++k) {
        const CSeriesStyle& s = chart.seriesStyles[k];
        EXPECT_EQ(s.survivalLine, (CLineStyle{expected[k], 2, kPenSolid})) << k;
        EXPECT_EQ(s.ciLine, (CLineStyle{expected[k], 1, kPenSolid})) << k;
        EXPECT_EQ(s.marker, (CMarkerStyle{Rgb(0, 0, 0), expected[k], 5, k + 1})) << k;
        EXPECT_EQ(s.showSeries, 1);
        EXPECT_EQ(s.showCI, 1);
    }
    EXPECT_EQ(chart.seriesStyles[6].marker.symbol, 7);  // draws no marker
    EXPECT_EQ(chart.registrySection, "Charts\\Merivane");
}

TEST(LifeTableChartTest, ProductLimitSeriesAndTimeAxisByUnit)
{
    CAnalysisData analysis = ProductLimitAnalysis();
    analysis.groupResults.push_back(ChartGroup("B"));
    analysis.groupResults.back().timePoints = {TimePoint(730, true, 0.0, 0.0, 0.0)};
    analysis.ciLevelText = ".99";
    LifeTableChart chart = MakeChart(analysis, kChartProductLimit);
    EXPECT_EQ(chart.registrySection, "Charts\\Kaplan-Meier");
    EXPECT_EQ(chart.seriesStyles[1].ciLine, (CLineStyle{Rgb(0, 255, 0), 1, kPenDot}));
    EXPECT_EQ(chart.seriesStyles[1].marker, (CMarkerStyle{Rgb(0, 255, 0), Rgb(0, 255, 0), 5, kSymbolVerticalBar}));
    EXPECT_EQ(chart.legend.ciPrefix, "99% ");  // the record's level, as the computation used it
    EXPECT_DOUBLE_EQ(chart.timeAxis.maxValue, 730 * 0.0027378507871321013 + 1);
    EXPECT_EQ(chart.timeAxis.stepValue, 1.0);

    const struct {
        int unit;
        double max;
        double step;
        const char* label;
    } units[] = {{1, 730 * 0.03285420944558522 + 6, 6, "Survival time [months]"},
                 {2, 730 * 0.14285714285714285 + 5, 5, "Survival time [weeks]"},
                 {3, 780, 50, "Survival time [days]"}};
    for (const auto& u : units) {
        analysis.timeUnit = u.unit;
        chart = MakeChart(analysis, kChartProductLimit);
        EXPECT_DOUBLE_EQ(chart.timeAxis.maxValue, u.max) << u.unit;
        EXPECT_EQ(chart.timeAxis.stepValue, u.step) << u.unit;
        EXPECT_EQ(chart.timeAxis.labelText, u.label);
    }

    // Groups without time points: 0 to 1 year, 6 months, 5 weeks or 50 days.
    for (CGroupResult& g : analysis.groupResults) g.timePoints.clear();
    const double emptyMax[] = {1, 6, 5, 50};
    for (int unit = 0; unit < 4; ++unit) {
        analysis.timeUnit = unit;
        chart = MakeChart(analysis, kChartProductLimit);
        EXPECT_EQ(chart.timeAxis.minValue, 0.0);
        EXPECT_EQ(chart.timeAxis.maxValue, emptyMax[unit]) << unit;
    }
}

TEST(LifeTableChartTest, TrendAxisRunsFromTheYearBeforeTheFirstPeriod)
{
    CAnalysisData analysis;
    analysis.periodWidth = 5;
    CGroupResult group = ChartGroup("");
    for (int year = 1995; year <= 2004; ++year) group.intervalTable.rows.push_back(IntervalRow(year, 50, 0.6, 0.5, 0.7));
    analysis.groupResults.push_back(group);

    MemoryChartProfile profile;
    profile.WriteString("Charts\\TrendInSurvival", "DefaultTitle", "ignored for trends");
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kChartTrend, 5, profile);
    EXPECT_EQ(chart.titleText, "5-year survival");
    EXPECT_EQ(chart.timeAxis.labelText, "Starting year of period (period width = 5)");
    EXPECT_EQ(chart.timeAxis.minValue, 1994.0);
    EXPECT_EQ(chart.timeAxis.maxValue, 2005.0);
    EXPECT_EQ(chart.timeAxis.stepValue, 1.0);
    EXPECT_EQ(chart.timeAxis.skipFirstTick, 1);

    analysis.relativeSurvival = 1;
    analysis.maxRelativeUpper = 1.0;
    chart.InitFromAnalysis(analysis, kChartTrend, 10, profile);
    EXPECT_EQ(chart.titleText, "10-year relative survival");
    EXPECT_EQ(chart.survivalAxis.labelText, "Relative survival rate");
}

TEST(LifeTableChartTest, RelativeSurvivalAxisAddsATenthAboveOne)
{
    CAnalysisData analysis = LifeTableAnalysis(1);
    analysis.relativeSurvival = 1;
    analysis.maxRelativeUpper = 1.23;
    LifeTableChart chart = MakeChart(analysis, kChartLifeTable);
    EXPECT_DOUBLE_EQ(chart.survivalAxis.maxValue, 1.33);
    EXPECT_EQ(chart.titleText, "Cumulative relative survival");
    EXPECT_EQ(chart.survivalAxis.labelText, "Relative survival rate");

    analysis.maxRelativeUpper = 1.0;
    chart = MakeChart(analysis, kChartLifeTable);
    EXPECT_EQ(chart.survivalAxis.maxValue, 1.0);
}

TEST(LifeTableChartTest, NetSurvivalIsNamedInTitleAndAxisAndTheUsersTitleKept)
{
    CAnalysisData analysis = LifeTableAnalysis(1);
    analysis.relativeSurvival = 1;
    analysis.netSurvival = 1;
    LifeTableChart chart = MakeChart(analysis, kChartLifeTable);
    EXPECT_EQ(chart.titleText, "Cumulative net survival");
    EXPECT_EQ(chart.survivalAxis.labelText, "Net survival rate");
    chart = MakeChart(analysis, kChartTrend, 5);
    EXPECT_EQ(chart.titleText, "5-year net survival");
    EXPECT_EQ(chart.survivalAxis.labelText, "Net survival rate");

    MemoryChartProfile profile;
    profile.WriteString("Charts\\Cutler-Ederer", "DefaultTitle", "Registry 2026");
    chart.InitFromAnalysis(analysis, kChartLifeTable, 0, profile);
    EXPECT_EQ(chart.titleText, "Registry 2026");

    // Net survival asked for without relative survival is not computed.
    analysis.relativeSurvival = 0;
    chart = MakeChart(analysis, kChartLifeTable);
    EXPECT_EQ(chart.titleText, "Cumulative survival");
    EXPECT_EQ(chart.survivalAxis.labelText, "Survival rate");
}

TEST(LifeTableChartTest, DefaultsComeFromTheKindsSectionAndRangesNever)
{
    MemoryChartProfile profile;
    const std::string section = "Charts\\Cutler-Ederer";
    profile.WriteString(section, "DefaultTitle", "My title");
    profile.WriteInt(section, "DefaultTitleAlign", 2);
    profile.WriteInt(section, "DefaultTitleColor", 0x123456);
    profile.WriteString(section, "DefaultTitleFont", "20;-30;0;0;0;400;1;0;0;0;0;0;0;0;Times New Roman");
    profile.WriteString(section + "\\YAxis", "DefaultTitle", "Share alive");
    profile.WriteString(section + "\\YAxis", "DefaultTitleFont", "30;-12;0;0;0;400;0;0;0;0;0;0;0;0;Arial");
    profile.WriteInt(section + "\\YAxis", "DefaultNumberColor", 0xFF);
    profile.WriteString(section + "\\Legend", "DefaultTitle", "CI");
    profile.WriteInt(section + "\\Legend", "DefaultTitleAlign", 2);
    profile.WriteInt(section + "\\Legend", "ShowFlag", 0);

    LifeTableChart chart;
    chart.InitFromAnalysis(LifeTableAnalysis(1), kChartLifeTable, 0, profile);
    EXPECT_EQ(chart.titleText, "My title");
    EXPECT_EQ(chart.titleAlign, 2);
    EXPECT_EQ(chart.titleColor, 0x123456u);
    EXPECT_FLOAT_EQ(chart.titleFont.heightDivisor, 20.0f);
    EXPECT_EQ(chart.titleFont.logFont.FaceName(), "Times New Roman");
    EXPECT_EQ(chart.survivalAxis.labelText, "Share alive");
    EXPECT_EQ(chart.survivalAxis.labelFont.logFont.lfEscapement, 900);  // whatever the text said
    EXPECT_EQ(chart.survivalAxis.numberColor, 0xFFu);
    EXPECT_EQ(chart.survivalAxis.maxValue, 1.0);
    EXPECT_EQ(chart.timeAxis.labelText, "Survival time [years]");
    EXPECT_EQ(chart.legend.ciLabel, "CI");
    EXPECT_EQ(chart.legend.legendPosition, 2);
    EXPECT_EQ(chart.legend.showLegend, 0);
}

TEST(LifeTableChartTest, SavedSeriesDefaultsApplyByPosition)
{
    MemoryChartProfile profile;
    LifeTableChart three;
    three.InitFromAnalysis(LifeTableAnalysis(3), kChartLifeTable, 0, profile);
    for (CSeriesStyle& s : three.seriesStyles) {
        s.survivalLine.lineWidth = 4;
        s.marker.symbol = kSymbolSquare;
    }
    SaveAllSeriesDefaults(three, profile);
    EXPECT_EQ(profile.GetInt("Charts\\Cutler-Ederer\\DataSeries2", "DefaultSurvivalLineWidth", 0), 4);

    LifeTableChart five;
    five.InitFromAnalysis(LifeTableAnalysis(5), kChartLifeTable, 0, profile);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(five.seriesStyles[i].survivalLine.lineWidth, 4);
        EXPECT_EQ(five.seriesStyles[i].marker.symbol, kSymbolSquare);
    }
    EXPECT_EQ(five.seriesStyles[3].survivalLine.lineWidth, 2);
    EXPECT_EQ(five.seriesStyles[3].marker.symbol, 4);
    EXPECT_EQ(five.seriesStyles[4].marker.symbol, 5);
    EXPECT_EQ(five.seriesStyles[4].survivalLine.lineColor, Rgb(0, 255, 255));
}

TEST(LifeTableChartTest, SavedDefaultsReadBackAndResetDeletesOnlyTheChosenKinds)
{
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(ProductLimitAnalysis(), kChartProductLimit, 0, profile);
    chart.titleText = "Kaplan-Meier";
    chart.timeAxis.labelText = "Days";
    chart.timeAxis.numberFont.FromProfileString("40;-9;0;0;0;700;0;0;0;0;0;0;0;0;Courier New");
    chart.legend.legendColor = Rgb(1, 2, 3);
    SaveTitleDefaults(chart, profile);
    SaveAxisDefaults(chart.timeAxis, profile);
    SaveLegendDefaults(chart.legend, profile);

    LifeTableChart other;
    other.InitFromAnalysis(LifeTableAnalysis(1), kChartLifeTable, 0, profile);
    SaveTitleDefaults(other, profile);

    LifeTableChart again;
    again.InitFromAnalysis(ProductLimitAnalysis(), kChartProductLimit, 0, profile);
    EXPECT_EQ(again.titleText, "Kaplan-Meier");
    EXPECT_EQ(again.timeAxis.labelText, "Days");
    EXPECT_EQ(again.timeAxis.numberFont.logFont.FaceName(), "Courier New");
    EXPECT_FLOAT_EQ(again.timeAxis.numberFont.heightDivisor, 40.0f);
    EXPECT_EQ(again.legend.legendColor, Rgb(1, 2, 3));

    ResetChartDefaults(profile, {.productLimit = true});
    EXPECT_EQ(profile.GetString("Charts\\Kaplan-Meier", "DefaultTitle", "none"), "none");
    EXPECT_EQ(profile.GetString("Charts\\Kaplan-Meier\\XAxis", "DefaultTitle", "none"), "none");
    EXPECT_EQ(profile.GetString("Charts\\Cutler-Ederer", "DefaultTitle", "none"), "Cumulative survival");
    again.InitFromAnalysis(ProductLimitAnalysis(), kChartProductLimit, 0, profile);
    EXPECT_EQ(again.titleText, "Cumulative survival");

    ResetChartDefaults(profile, {.periodAnalysis = true, .trend = true});  // nothing stored: no-op
    EXPECT_FALSE(profile.empty());
}

TEST(LifeTableChartTest, NumbersAtRiskSwitchIsAProductLimitDefault)
{
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(ProductLimitAnalysis(), kChartProductLimit, 0, profile);
    EXPECT_FALSE(chart.showNumbersAtRisk);
    SaveNumbersAtRiskDefault(chart, profile);
    EXPECT_TRUE(profile.empty());  // never switched on: nothing written

    chart.showNumbersAtRisk = true;
    SaveNumbersAtRiskDefault(chart, profile);
    EXPECT_EQ(profile.GetInt("Charts\\Kaplan-Meier", "ShowNumbersAtRisk", -1), 1);
    LifeTableChart again;
    again.InitFromAnalysis(ProductLimitAnalysis(), kChartProductLimit, 0, profile);
    EXPECT_TRUE(again.showNumbersAtRisk);
    LifeTableChart lifeTable;
    lifeTable.InitFromAnalysis(LifeTableAnalysis(1), kChartLifeTable, 0, profile);
    EXPECT_FALSE(lifeTable.showNumbersAtRisk);
    lifeTable.showNumbersAtRisk = true;
    SaveNumbersAtRiskDefault(lifeTable, profile);  // other kinds keep no switch
    EXPECT_EQ(profile.GetInt("Charts\\Cutler-Ederer", "ShowNumbersAtRisk", -1), -1);

    again.showNumbersAtRisk = false;
    SaveNumbersAtRiskDefault(again, profile);
    EXPECT_EQ(profile.GetInt("Charts\\Kaplan-Meier", "ShowNumbersAtRisk", -1), 0);
    LoadNumbersAtRiskDefault(chart, profile);
    EXPECT_FALSE(chart.showNumbersAtRisk);

    ResetChartDefaults(profile, {.productLimit = true});
    EXPECT_TRUE(profile.empty());
}

}  // namespace
}  // namespace kalderon
