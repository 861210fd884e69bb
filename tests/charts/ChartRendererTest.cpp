#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "charts/AxisTicks.h"
#include "charts/ChartHitTest.h"
#include "charts/ChartProfile.h"
#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/MarkerPainter.h"
#include "charts/ChartFixtures.h"
#include "charts/RecordingCanvas.h"

namespace kalderon {
namespace {

using testing::ChartGroup;
using testing::IntervalRow;
using testing::LifeTableAnalysis;
using testing::ProductLimitAnalysis;
using testing::RecordingCanvas;
using testing::TimePoint;

// With the recording canvas' metrics an 800 x 600 drawing has a time axis
// band 53 high (label 21 * 5/4 + numbers 18 * 3/2), a survival axis band 59
// wide (label 21 * 3/2 + "0.0" 21 * 4/3), a title line 26 high and, for
// tick labels of one digit, 3 units kept free at the right.
constexpr ChartRect kPlot{59, 27, 797, 547};

LifeTableChart MakeChart(const CAnalysisData& analysis, int kind)
{
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis, kind, 5, profile);
    return chart;
}

// The axis mapping written out for the expected plot area.
int X(const LifeTableChart& chart, double v, const ChartRect& plot = kPlot)
{
    const CChartAxis& a = chart.timeAxis;
    return plot.left + static_cast<int>((v - a.minValue) / (a.maxValue - a.minValue) * (plot.right - plot.left));
}
int Y(const LifeTableChart& chart, double v, const ChartRect& plot = kPlot)
{
    const CChartAxis& a = chart.survivalAxis;
    return plot.bottom - static_cast<int>((v - a.minValue) / (a.maxValue - a.minValue) * (plot.bottom - plot.top));
}

std::string Line(int x1, int y1, int x2, int y2)
{
    return "line " + std::to_string(x1) + "," + std::to_string(y1) + " " + std::to_string(x2) + "," +
           std::to_string(y2);
}

std::string Text(int x, int y, int align, const std::string& text)
{
    return "text " + std::to_string(x) + "," + std::to_string(y) + " align " + std::to_string(align) +
           " color 000000 '" + text + "'";
}

TEST(ChartRendererTest, LifeTableLayoutAxesCurveAndMarkers)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(1), kChartLifeTable);
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));

    EXPECT_EQ(chart.plotRect, kPlot);
    EXPECT_EQ(chart.timeAxis.areaRect, (ChartRect{59, 547, 797, 600}));
    EXPECT_EQ(chart.survivalAxis.areaRect, (ChartRect{1, 27, 59, 547}));
    EXPECT_EQ(chart.timeAxis.tickDivisor, 11);      // 53 * 4 / 18
    EXPECT_EQ(chart.survivalAxis.tickDivisor, 11);  // 59 * 4 / 21
    EXPECT_EQ(chart.titleFont.logFont.lfHeight, -21);
    EXPECT_EQ(chart.timeAxis.labelFont.logFont.lfHeight, -17);
    EXPECT_EQ(chart.timeAxis.numberFont.logFont.lfHeight, -15);
    EXPECT_EQ(chart.legend.legendFont.logFont.lfHeight, -17);
    EXPECT_EQ(canvas.records.front(), "save");
    EXPECT_EQ(canvas.records[1], "mapping 800 600");
    EXPECT_EQ(canvas.records.back(), "restore");

    EXPECT_TRUE(canvas.Has(Text(428, 1, kAlignCenter, "Cumulative survival")));
    EXPECT_TRUE(canvas.Has(Text(428, 600, kAlignCenter | kAlignBottom, "Survival time [years]")));
    EXPECT_TRUE(canvas.Has("font -17 900 Arial"));
    EXPECT_TRUE(canvas.Has(Text(1, 287, kAlignCenter, "Survival rate")));
    EXPECT_TRUE(canvas.Has(Line(59, 547, 797, 547)));
    EXPECT_TRUE(canvas.Has(Line(59, 547, 59, 27)));

    // Time ticks every year, 53 / 11 = 4 units: line 8 long, label 12 below.
    for (int year = 0; year <= 4; ++year) {
        const int x = X(chart, year);
        EXPECT_TRUE(canvas.Has(Line(x, 547, x, 555))) << year;
        EXPECT_TRUE(canvas.Has(Text(x, 559, kAlignCenter, std::to_string(year)))) << year;
    }
    // Survival ticks with one decimal: 58 / 11 = 5 units long, labels 7 left.
    for (int tenth = 0; tenth <= 10; ++tenth) {
        const int y = Y(chart, tenth / 10.0);
        EXPECT_TRUE(canvas.Has(Line(54, y, 59, y))) << tenth;
        char label[8];
        std::snprintf(label, sizeof label, "%d.%d", tenth / 10, tenth % 10);
        EXPECT_TRUE(canvas.Has(Text(52, y - 9, kAlignRight, label))) << tenth;
    }

    // Curve: two parallel polylines, confidence bars with caps 7 wide.
    const auto& rows = chart.analysis.groupResults[0].intervalTable.rows;
    for (int k : {-1, 0}) {
        int px = 59, py = 27 + k;
        for (const CIntervalResult& row : rows) {
            const int x = X(chart, row.intervalNumber), y = Y(chart, row.cumulativeSurvival) + k;
            EXPECT_TRUE(canvas.Has(Line(px, py, x, y))) << k << " " << row.intervalNumber;
            px = x, py = y;
        }
    }
    for (const CIntervalResult& row : rows) {
        const int x = X(chart, row.intervalNumber);
        const int lower = Y(chart, row.lowerLimit), upper = Y(chart, row.upperLimit);
        EXPECT_TRUE(canvas.Has(Line(x, lower, x, upper)));
        EXPECT_TRUE(canvas.Has(Line(x - 7, lower, x + 7, lower)));
        EXPECT_TRUE(canvas.Has(Line(x - 7, upper, x + 7, upper)));
        const int y = Y(chart, row.cumulativeSurvival);
        EXPECT_TRUE(canvas.Has("ellipse " + std::to_string(x - 5) + "," + std::to_string(y - 5) + " " +
                               std::to_string(x + 5) + "," + std::to_string(y + 5)));
    }
    EXPECT_EQ(canvas.Count("ellipse"), 3);

    // Curves inside the plot, markers anywhere in the drawing.
    const auto curves = canvas.Between("clip 59,27 797,547", "clip");
    const auto markers = canvas.Between("clip 0,0 800,600", "restore");
    EXPECT_EQ(curves.size(), 1u + 3 * 5 + 1 + 2 * 3);  // clip, bars with their pens, pen, polylines
    EXPECT_EQ(markers.size(), 1u + 3 * 3);

    // One series: the legend shows only the confidence interval entry, 260
    // wide (184 + 9F/2) and 34 high (2F), a quarter of its height inside
    // the lower left corner.
    EXPECT_EQ(chart.legend.areaRect, (ChartRect{67, 505, 327, 539}));
    EXPECT_TRUE(canvas.Has(Line(84, 509, 84, 535)));
    EXPECT_TRUE(canvas.Has(Line(76, 535, 92, 535)));
    EXPECT_TRUE(canvas.Has(Line(76, 509, 92, 509)));
    EXPECT_TRUE(canvas.Has(Text(143, 513, kAlignLeft, "95% confidence interval")));
    EXPECT_FALSE(canvas.Has(Text(143, 505, kAlignLeft, "A")));
}

TEST(ChartRendererTest, EmptyTitleStillKeepsOneTextLine)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(1), kChartLifeTable);
    chart.titleText.clear();
    chart.titleAlign = 99;  // no title drawn
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    EXPECT_EQ(chart.plotRect.top, 27);
    EXPECT_FALSE(canvas.Has(Text(428, 1, 99, "")));
    EXPECT_EQ(canvas.Count("text 428,1 "), 0);
}

TEST(ChartRendererTest, LegendWithGroupsInTheUpperRightAndBelowThePlot)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(3), kChartLifeTable);
    chart.analysis.groupResults[1].info.label = "BB";
    chart.legend.legendPosition = kLegendUpperRight;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    // 260 wide, 2F + 3 * 4F/3 = 100 high, 25 inside the corner.
    EXPECT_EQ(chart.legend.areaRect, (ChartRect{512, 52, 772, 152}));
    EXPECT_TRUE(canvas.Has(Line(512, 61, 580, 61)));  // two lines of width 2 centred on 52 + 21/2
    EXPECT_TRUE(canvas.Has(Line(512, 62, 580, 62)));
    EXPECT_TRUE(canvas.Has("ellipse 524,57 534,67"));
    EXPECT_TRUE(canvas.Has(Text(588, 52, kAlignLeft, "A")));
    EXPECT_TRUE(canvas.Has(Text(588, 74, kAlignLeft, "BB")));
    EXPECT_TRUE(canvas.Has(Text(588, 96, kAlignLeft, "C")));
    EXPECT_TRUE(canvas.Has(Line(529, 122, 529, 148)));
    EXPECT_TRUE(canvas.Has(Text(588, 126, kAlignLeft, "95% confidence interval")));
    EXPECT_EQ(chart.legend.areaRect.right - 588, 184);  // the widest text ends at the edge

    chart.legend.legendPosition = kLegendBelow;
    canvas.records.clear();
    DrawChart(chart, canvas, WindowSurface(800, 600));
    // The row of groups is 5F/2 + 2 * 4F + 32 = 210 wide (the CI entry
    // 184 + 3F/2 = 209); 2F + 4F/3 = 56 high; the plot moves up by 70.
    EXPECT_EQ(chart.legend.areaRect, (ChartRect{323, 543, 533, 599}));
    EXPECT_EQ(chart.plotRect.bottom, 477);
    EXPECT_EQ(chart.timeAxis.areaRect, (ChartRect{59, 477, 797, 530}));
    EXPECT_TRUE(canvas.Has(Text(399, 543, kAlignLeft, "A")));
    EXPECT_TRUE(canvas.Has(Text(500, 543, kAlignLeft, "BB")));
    EXPECT_TRUE(canvas.Has(Text(609, 543, kAlignLeft, "C")));
    EXPECT_TRUE(canvas.Has(Line(340, 569, 340, 595)));
    EXPECT_TRUE(canvas.Has(Text(399, 573, kAlignLeft, "95% confidence interval")));

    // Hidden series are neither drawn nor listed; hidden CIs drop the entry.
    for (CSeriesStyle& s : chart.seriesStyles) s.showCI = 0;
    chart.seriesStyles[2].showSeries = 0;
    chart.legend.legendPosition = kLegendLowerLeft;
    canvas.records.clear();
    DrawChart(chart, canvas, WindowSurface(800, 600));
    EXPECT_EQ(chart.legend.areaRect.bottom - chart.legend.areaRect.top, 2 * 22);
    const ChartRect& legend = chart.legend.areaRect;
    EXPECT_TRUE(canvas.Has(Text(legend.left + 76, legend.top + 22, kAlignLeft, "BB")));
    for (const std::string& record : canvas.records) {
        EXPECT_EQ(record.find("'C'"), std::string::npos);
        EXPECT_EQ(record.find("confidence"), std::string::npos);
        EXPECT_NE(record, "pen 0 ff0000");  // series 2 is blue, drawn nowhere
    }
}

TEST(ChartRendererTest, ConfidenceBarsOfSuccessiveSeriesAreOffset)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(3), kChartLifeTable);
    chart.legend.showLegend = 0;
    for (bool printing : {false, true}) {
        RecordingCanvas canvas;
        DrawChart(chart, canvas, printing ? PrintSurface(800, 600, 600) : WindowSurface(800, 600));
        const int step = printing ? 9 : 1;
        const int width = printing ? 3 : 1;
        for (int series = 0; series < 3; ++series) {
            const CIntervalResult& row = chart.analysis.groupResults[series].intervalTable.rows[0];
            const int x = X(chart, 1) + series * step;
            const int lower = Y(chart, row.lowerLimit), upper = Y(chart, row.upperLimit);
            for (int j = 0; j < width; ++j) {
                EXPECT_TRUE(canvas.Has(Line(x - width / 2 + j, lower, x - width / 2 + j, upper)))
                    << printing << " " << series;
                // Caps thicken inward.
                EXPECT_TRUE(canvas.Has(Line(x - 7, lower - j, x + 7, lower - j)));
                EXPECT_TRUE(canvas.Has(Line(x - 7, upper + j, x + 7, upper + j)));
            }
        }
        // Printing triples the curve: six parallel polylines from the origin.
        const int lines = printing ? 6 : 2;
        for (int k = -lines / 2; k < lines - lines / 2; ++k) {
            EXPECT_TRUE(canvas.Has(Line(59, 27 + k, X(chart, 1), Y(chart, 0.95) + k))) << printing << " " << k;
        }
    }
}

TEST(ChartRendererTest, ProductLimitStepsCensoringMarksAndTiedBars)
{
    LifeTableChart chart = MakeChart(ProductLimitAnalysis(), kChartProductLimit);
    chart.legend.showLegend = 0;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    ASSERT_EQ(chart.plotRect, kPlot);
    const double unit = 365.25;
    const int x1 = X(chart, 100 / unit), x2 = X(chart, 400 / unit);
    const int y1 = Y(chart, 0.75), y2 = Y(chart, 0.5);
    // Width 2: horizontal runs at k = -1 and 0, drops at x - k.
    for (int k : {-1, 0}) {
        EXPECT_TRUE(canvas.Has(Line(59, 27 + k, x1, 27 + k))) << k;
        EXPECT_TRUE(canvas.Has(Line(x1 - k, 26, x1 - k, y1 - 1))) << k;
        EXPECT_TRUE(canvas.Has(Line(x1, y1 + k, x2, y1 + k))) << k;
        EXPECT_TRUE(canvas.Has(Line(x2 - k, y1 - 1, x2 - k, y2 - 1))) << k;
        // The last observation is censored: the curve goes on 10 units past it.
        EXPECT_TRUE(canvas.Has(Line(x2, y2 + k, X(chart, 500 / unit) + 10, y2 + k))) << k;
    }
    // Bars at the events only, censored cases marked by bars on the curve.
    EXPECT_TRUE(canvas.Has(Line(x1, Y(chart, 0.5), x1, Y(chart, 1.0))));
    EXPECT_TRUE(canvas.Has(Line(x2, Y(chart, 0.25), x2, Y(chart, 0.75))));
    const int c1 = X(chart, 200 / unit), c2 = X(chart, 500 / unit);
    const auto markers = canvas.Between("clip 0,0 800,600", "restore");
    EXPECT_EQ(markers, (std::vector<std::string>{"clip 0,0 800,600", "pen 0 0000ff", "brush 0000ff",
                                                 Line(c1, y1 - 5, c1, y1 + 6), "pen 0 0000ff", "brush 0000ff",
                                                 Line(c2, y2 - 5, c2, y2 + 6)}));

    // Two deaths on the same day: one bar, at the second of them; a curve
    // ending with a death stops there.
    auto& rows = chart.analysis.groupResults[0].timePoints;
    rows = {TimePoint(100, true, 0.8, 0.6, 1.0), TimePoint(100, true, 0.6, 0.4, 0.8)};
    canvas.records.clear();
    DrawChart(chart, canvas, WindowSurface(800, 600));
    EXPECT_FALSE(canvas.Has(Line(x1, Y(chart, 0.6), x1, Y(chart, 1.0))));
    EXPECT_TRUE(canvas.Has(Line(x1, Y(chart, 0.4), x1, Y(chart, 0.8))));
    EXPECT_EQ(canvas.Count("line " + std::to_string(x1) + "," + std::to_string(Y(chart, 0.6) - 1) + " "), 0);
}

TEST(ChartRendererTest, ValuesFarOutsideTheAxesStayFarOutsideTheDrawing)
{
    LifeTableChart chart = MakeChart(ProductLimitAnalysis(), kChartProductLimit);
    chart.legend.showLegend = 0;
    auto& rows = chart.analysis.groupResults[0].timePoints;
    rows = {TimePoint(100, true, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN()),
            TimePoint(2e9, true, -1e300, std::numeric_limits<double>::infinity(), 0.5)};
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    ASSERT_EQ(chart.plotRect, kPlot);
    const int far = 1 << 20;
    EXPECT_EQ(chart.survivalAxis.Map(1e300), kPlot.bottom - far);
    EXPECT_EQ(chart.survivalAxis.Map(-1e300), kPlot.bottom + far);
    EXPECT_EQ(chart.timeAxis.Map(std::numeric_limits<double>::infinity()), kPlot.left + far);
    EXPECT_EQ(chart.timeAxis.Map(std::numeric_limits<double>::quiet_NaN()), kPlot.left);
    EXPECT_EQ(chart.timeAxis.Map(1.0), X(chart, 1.0));  // values on the axis map as before
    const int x = X(chart, 100 / 365.25);
    EXPECT_TRUE(canvas.Has(Line(x, kPlot.bottom + far, x, kPlot.bottom)));  // the bar from -1e300 to NaN
}

TEST(ChartRendererTest, RelativeProductLimitIsAPolylineWithInterpolatedMarks)
{
    CAnalysisData analysis = ProductLimitAnalysis();
    analysis.relativeSurvival = 1;
    auto& rows = analysis.groupResults[0].timePoints;
    rows[0].relativeSurvival = 0.8;
    rows[2].relativeSurvival = 0.6;
    LifeTableChart chart = MakeChart(analysis, kChartProductLimit);
    chart.legend.showLegend = 0;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    const double unit = 365.25;
    const int x1 = X(chart, 100 / unit), x2 = X(chart, 400 / unit);
    EXPECT_TRUE(canvas.Has(Line(59, 27, x1, Y(chart, 0.8))));
    EXPECT_TRUE(canvas.Has(Line(x1, Y(chart, 0.8), x2, Y(chart, 0.6))));
    // Censored at 200 days: a third of the way from (100, 0.8) to (400, 0.6);
    // the censored case after the last death gets no mark.
    const int c = X(chart, 200 / unit);
    const int y = Y(chart, 0.8 + (200 / unit - 100 / unit) * (0.6 - 0.8) / (400 / unit - 100 / unit));
    EXPECT_TRUE(canvas.Has(Line(c, y - 5, c, y + 6)));
    EXPECT_EQ(canvas.Between("clip 0,0 800,600", "restore").size(), 4u);
}

TEST(ChartRendererTest, TrendHasMarkersAndBarsButNoCurve)
{
    CAnalysisData analysis;
    CGroupResult group = ChartGroup("");
    group.intervalTable.rows = {IntervalRow(1995, 50, 0.6, 0.5, 0.7), IntervalRow(1996, 40, 0.62, 0, 1, 0),
                                IntervalRow(1997, -1, 0.5, 0.4, 0.6)};
    analysis.groupResults.push_back(group);
    LifeTableChart chart = MakeChart(analysis, kChartTrend);
    chart.legend.showLegend = 0;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    const ChartRect plot = chart.plotRect;
    // Tick labels are four digits: 14 units kept free on the right.
    EXPECT_EQ(plot.right, 800 - 14);
    EXPECT_EQ(canvas.Count("text " + std::to_string(X(chart, 1994, plot)) + ","), 0);
    EXPECT_TRUE(canvas.Has(Text(X(chart, 1995, plot), 559, kAlignCenter, "1995")));
    const auto curves = canvas.Between("clip " + std::to_string(plot.left) + ",27 786,547", "clip");
    // One bar (pen, line, cap pen, two caps); no curve.
    EXPECT_EQ(curves.size(), 1u + 5);
    EXPECT_TRUE(canvas.Has(Line(X(chart, 1995, plot), Y(chart, 0.5, plot), X(chart, 1995, plot), Y(chart, 0.7, plot))));
    // Markers for the rows with exposure, also without standard error.
    EXPECT_EQ(canvas.Count("ellipse"), 2);
}

TEST(ChartRendererTest, TickDecimalsFollowTheStep)
{
    EXPECT_EQ(TickDecimals(0.1), 1);
    EXPECT_EQ(TickDecimals(0.5), 1);
    EXPECT_EQ(TickDecimals(0.05), 2);
    EXPECT_EQ(TickDecimals(0.01), 2);
    EXPECT_EQ(TickDecimals(0.001), 3);
    EXPECT_EQ(TickDecimals(1.0), 0);
    EXPECT_EQ(TickDecimals(50.0), 0);
    EXPECT_EQ(TickLabel(0.35, 2), "0.35");
    EXPECT_EQ(TickLabel(1995, 0), "1995");
    EXPECT_EQ(TickLabel(0.5, 1), "0.5");
    EXPECT_EQ(TickCount(0, 1.33, 0.1), 14);
    EXPECT_EQ(TickCount(1994, 2005, 1), 12);
    EXPECT_EQ(TickCount(0, 1, 0), 0);
    EXPECT_EQ(TickCount(1, 1, 1), 0);
}

// The labels an axis draws, in order.
std::vector<std::string> DrawnTickLabels(double minValue, double maxValue, double stepValue)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(1), kChartLifeTable);
    chart.survivalAxis.minValue = minValue;
    chart.survivalAxis.maxValue = maxValue;
    chart.survivalAxis.stepValue = stepValue;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    std::vector<std::string> labels;
    for (const double value : LabelledTickValues(chart.survivalAxis)) {
        const std::string label = TickLabel(value, AxisTickDecimals(chart.survivalAxis));
        const std::string alignedAtTheAxis = " align " + std::to_string(kAlignRight | kAlignTop) + " ";
        bool found = false;
        for (const std::string& record : canvas.records)
            found = found || (record.rfind("text ", 0) == 0 && record.find(alignedAtTheAxis) != std::string::npos &&
                              record.find("'" + label + "'") != std::string::npos);
        EXPECT_TRUE(found) << label;
        labels.push_back(label);
    }
    return labels;
}

TEST(ChartRendererTest, TickLabelsNameEveryTickExactly)
{
    using Labels = std::vector<std::string>;
    // The decimals of the step's rule where they show every value...
    EXPECT_EQ(DrawnTickLabels(0, 1, 0.1),
              (Labels{"0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0"}));
    EXPECT_EQ(DrawnTickLabels(0, 1.2, 0.3), (Labels{"0.0", "0.3", "0.6", "0.9", "1.2"}));
    EXPECT_EQ(DrawnTickLabels(0, 20, 5), (Labels{"0", "5", "10", "15", "20"}));
    EXPECT_EQ(DrawnTickLabels(0, 24, 6), (Labels{"0", "6", "12", "18", "24"}));
    EXPECT_EQ(DrawnTickLabels(0, 150, 50), (Labels{"0", "50", "100", "150"}));
    // ... else the fewest that do.
    EXPECT_EQ(DrawnTickLabels(0, 1, 0.25), (Labels{"0.00", "0.25", "0.50", "0.75", "1.00"}));
    EXPECT_EQ(DrawnTickLabels(0, 10, 2.5), (Labels{"0.0", "2.5", "5.0", "7.5", "10.0"}));
    EXPECT_EQ(DrawnTickLabels(0.5, 3, 1), (Labels{"0.5", "1.5", "2.5"}));
    EXPECT_EQ(DrawnTickLabels(0, 0.05, 0.0125),
              (Labels{"0.0000", "0.0125", "0.0250", "0.0375", "0.0500"}));
    // Never more than six, even where six are not enough.
    EXPECT_EQ(DrawnTickLabels(0, 1, 1.0 / 3), (Labels{"0.000000", "0.333333", "0.666667", "1.000000"}));
    // A step whose rule gives more than six keeps them.
    CChartAxis fine(true);
    fine.minValue = 0;
    fine.maxValue = 1e-6;
    fine.stepValue = 1e-7;
    EXPECT_GT(TickDecimals(fine.stepValue), 6);
    EXPECT_EQ(AxisTickDecimals(fine), TickDecimals(fine.stepValue));
}

TEST(ChartRendererTest, MarkerSymbols)
{
    RecordingCanvas canvas;
    CMarkerStyle marker{Rgb(0, 0, 0), Rgb(0, 0, 255), 5, 0};
    const std::vector<std::vector<std::string>> expected = {
        {},
        {"ellipse 95,45 105,55"},
        {"rectangle 95,45 105,55"},
        {"polygon 100,46 104,53 96,53"},
        {"line 95,45 106,56", "line 105,45 94,56"},
        {"line 100,45 100,56", "line 95,50 105,50"},
        {"line 100,45 100,56"},
        {},
    };
    for (int symbol = 0; symbol < 8; ++symbol) {
        canvas.records.clear();
        marker.symbol = symbol;
        DrawMarker(canvas, marker, 100, 50, 5);
        std::vector<std::string> expect = {"pen 0 000000", "brush ff0000"};
        expect.insert(expect.end(), expected[symbol].begin(), expected[symbol].end());
        EXPECT_EQ(canvas.records, expect) << symbol;
    }
}

TEST(ChartRendererTest, MarkersScaleWhenPrintingOrExporting)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(1), kChartLifeTable);
    chart.legend.showLegend = 0;
    const DrawingSurface exportSurface = ExportSurface(800, 600);
    EXPECT_EQ(exportSurface.width, 2000);
    EXPECT_EQ(exportSurface.height, 1500);
    EXPECT_EQ(ExportSurface(0, 0).height, 1500);

    chart.exportMode = 1;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, exportSurface);
    const auto ellipse = std::find_if(canvas.records.begin(), canvas.records.end(),
                                      [](const std::string& r) { return r.rfind("ellipse", 0) == 0; });
    ASSERT_NE(ellipse, canvas.records.end());
    int l, t, r, b;
    ASSERT_EQ(std::sscanf(ellipse->c_str(), "ellipse %d,%d %d,%d", &l, &t, &r, &b), 4);
    EXPECT_EQ(r - l, 2 * 12);  // 5 * 1500 / 600
    EXPECT_EQ(chart.titleFont.logFont.lfHeight, -53);  // 1500 / 28

    chart.exportMode = 0;
    canvas.records.clear();
    DrawChart(chart, canvas, PrintSurface(1600, 1200, 0));  // no window height: unscaled
    EXPECT_EQ(canvas.Count("ellipse"), 3);
    EXPECT_TRUE(std::any_of(canvas.records.begin(), canvas.records.end(), [](const std::string& rec) {
        int l, t, r, b;
        return std::sscanf(rec.c_str(), "ellipse %d,%d %d,%d", &l, &t, &r, &b) == 4 && r - l == 10;
    }));
}

TEST(ChartRendererTest, HitTestsUseTheAreasOfTheLastDrawing)
{
    LifeTableChart chart = MakeChart(LifeTableAnalysis(1), kChartLifeTable);
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));

    EXPECT_EQ(HitTestClick(chart, {100, 560}).element, ChartElement::kTimeAxis);
    EXPECT_EQ(HitTestClick(chart, {100, 560}).frame, chart.timeAxis.areaRect);
    EXPECT_EQ(HitTestClick(chart, {30, 300}).element, ChartElement::kSurvivalAxis);
    EXPECT_EQ(HitTestClick(chart, {67, 505}).element, ChartElement::kLegend);
    EXPECT_EQ(HitTestClick(chart, {326, 538}).element, ChartElement::kLegend);
    EXPECT_EQ(HitTestClick(chart, {327, 520}).element, ChartElement::kNone);  // right edge is outside
    EXPECT_EQ(HitTestClick(chart, {100, 539}).element, ChartElement::kNone);  // and so is the bottom
    const ChartHit title = HitTestClick(chart, {400, 10});
    EXPECT_EQ(title.element, ChartElement::kTitle);
    EXPECT_EQ(title.frame, (ChartRect{59, 1, 797, 26}));
    EXPECT_EQ(HitTestClick(chart, {59, 10}).element, ChartElement::kNone);  // left of the title band
    EXPECT_EQ(HitTestClick(chart, {400, 300}).element, ChartElement::kNone);

    EXPECT_EQ(HitTestDoubleClick(chart, {400, 300}).command, kCommandFormatSeries);
    EXPECT_EQ(HitTestDoubleClick(chart, {400, 10}).command, kCommandEditTitle);
    EXPECT_EQ(HitTestDoubleClick(chart, {100, 560}).command, kCommandEditTimeAxis);
    EXPECT_EQ(HitTestDoubleClick(chart, {30, 300}).command, kCommandEditSurvivalAxis);
    EXPECT_EQ(HitTestDoubleClick(chart, {70, 510}).command, kCommandEditLegend);
    EXPECT_EQ(HitTestDoubleClick(chart, {799, 300}).command, kCommandNone);
}

TEST(ChartRendererTest, NumbersAtRiskStandUnderTheTicksInTheSeriesColours)
{
    CAnalysisData analysis = ProductLimitAnalysis();
    CGroupResult second = ChartGroup("B");
    second.timePoints = {TimePoint(30, true, 0.5, 0.2, 0.8), TimePoint(400, false)};
    analysis.groupResults.push_back(second);
    LifeTableChart chart = MakeChart(analysis, kChartProductLimit);
    chart.legend.showLegend = 0;
    RecordingCanvas plain;
    DrawChart(chart, plain, WindowSurface(800, 600));

    chart.showNumbersAtRisk = true;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    // Two rows of 18 under half a line of 9 take 45 units off the plot; the
    // widest number has one digit, so the right margin stays as it was.
    const ChartRect plot{kPlot.left, kPlot.top, kPlot.right, kPlot.bottom - 45};
    ASSERT_EQ(chart.plotRect, plot);
    EXPECT_EQ(chart.timeAxis.areaRect, (ChartRect{plot.left, plot.bottom, plot.right, 600 - 45}));
    // Ticks at 0, 1 and 2 years (365.25 and 730.5 days): group A ends after
    // 100, 200, 400 and 500 days, group B after 30 and 400 days.
    const auto number = [&](double year, int y, const char* color, const char* text) {
        return "text " + std::to_string(X(chart, year, plot)) + "," + std::to_string(y) + " align 6 color " + color +
               " '" + text + "'";
    };
    const auto table = canvas.Between(number(0, 564, "0000ff", "4"), "font");
    EXPECT_EQ(table, (std::vector<std::string>{number(0, 564, "0000ff", "4"), number(1, 564, "0000ff", "2"),
                                               number(2, 564, "0000ff", "0"), number(0, 582, "00ff00", "2"),
                                               number(1, 582, "00ff00", "1"), number(2, 582, "00ff00", "0")}));
    EXPECT_EQ(canvas.Count("text "), plain.Count("text ") + 6);
    // Each tick's label and its two numbers share the tick's x.
    EXPECT_EQ(canvas.Count("text " + std::to_string(X(chart, 1, plot)) + ","), 3);

    // A hidden series has no row; the other one moves up.
    chart.seriesStyles[0].showSeries = 0;
    canvas.records.clear();
    DrawChart(chart, canvas, WindowSurface(800, 600));
    EXPECT_EQ(chart.plotRect.bottom, kPlot.bottom - 27);
    EXPECT_TRUE(canvas.Has(number(1, 582, "00ff00", "1")));
    EXPECT_EQ(canvas.Count("text "), plain.Count("text ") + 3);

    // Switched off, or on a chart of another kind, nothing changes.
    chart.seriesStyles[0].showSeries = 1;
    chart.showNumbersAtRisk = false;
    canvas.records.clear();
    DrawChart(chart, canvas, WindowSurface(800, 600));
    EXPECT_EQ(canvas.records, plain.records);
    LifeTableChart lifeTable = MakeChart(LifeTableAnalysis(2), kChartLifeTable);
    RecordingCanvas lifeTablePlain;
    DrawChart(lifeTable, lifeTablePlain, WindowSurface(800, 600));
    lifeTable.showNumbersAtRisk = true;
    canvas.records.clear();
    DrawChart(lifeTable, canvas, WindowSurface(800, 600));
    EXPECT_EQ(canvas.records, lifeTablePlain.records);
}

TEST(ChartRendererTest, WideNumbersAtRiskKeepTheirRoomAtTheRight)
{
    CAnalysisData analysis = ProductLimitAnalysis();
    std::vector<CTimePointResult>& rows = analysis.groupResults[0].timePoints;
    rows.assign(12345, TimePoint(800, false));
    LifeTableChart chart = MakeChart(analysis, kChartProductLimit);
    chart.showNumbersAtRisk = true;
    RecordingCanvas canvas;
    DrawChart(chart, canvas, WindowSurface(800, 600));
    // "12345" is 35 units wide: half of it stays free right of the last tick.
    EXPECT_EQ(chart.plotRect.right, 800 - 35 / 2);
}

}  // namespace
}  // namespace kalderon
