#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "charts/ChartFixtures.h"
#include "charts/ChartPageFit.h"
#include "charts/ChartProfile.h"
#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/RecordingCanvas.h"

namespace kalderon {
namespace {

using testing::LifeTableAnalysis;
using testing::RecordingCanvas;

LifeTableChart MakeChart(int groups, const std::string& title, int legendPosition)
{
    MemoryChartProfile profile;
    LifeTableChart chart;
    chart.InitFromAnalysis(LifeTableAnalysis(groups), kChartLifeTable, 5, profile);
    chart.titleText = title;
    chart.legend.legendPosition = legendPosition;
    return chart;
}

struct Reach {
    int left = INT_MAX;
    int right = INT_MIN;
};

// How far the unrotated texts of a recorded drawing reach, measured with the
// recording canvas' metrics (characters |lfHeight| / 2 wide).
Reach TextReach(const RecordingCanvas& canvas)
{
    Reach reach;
    int height = 0;
    int escapement = 0;
    for (const std::string& record : canvas.records) {
        int x = 0, y = 0, align = 0;
        char face[64];
        if (std::sscanf(record.c_str(), "font %d %d %63s", &height, &escapement, face) >= 2) continue;
        if (std::sscanf(record.c_str(), "text %d,%d align %d", &x, &y, &align) != 3 || escapement != 0) continue;
        const size_t quote = record.find('\'');
        const int width = static_cast<int>(record.size() - quote - 2) * (std::abs(height) / 2);
        const int horizontal = align & kAlignCenter;
        const int from = horizontal == kAlignCenter ? x - width / 2 : horizontal == kAlignRight ? x - width : x;
        reach.left = std::min(reach.left, from);
        reach.right = std::max(reach.right, from + width);
    }
    return reach;
}

TEST(ChartPageFitTest, EveryTextOfAWideTitleAndLegendLiesOnThePage)
{
    const std::string title(140, 'T');
    LifeTableChart chart = MakeChart(8, title, kLegendBelow);
    RecordingCanvas measuring;

    // Drawn over the whole of a portrait page, the title and the legend
    // below the plot reach beyond both sides.
    RecordingCanvas whole;
    DrawChart(chart, whole, PrintSurface(4800, 6600, 600));
    EXPECT_LT(TextReach(whole).left, 0);
    EXPECT_GT(TextReach(whole).right, 4800);

    const ChartRect area = FitChartToPage(chart, measuring, 4800, 6600, 800, 600);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    EXPECT_EQ(width, 4800);
    EXPECT_LT(height, 3600);  // lower than the window's proportions give
    EXPECT_GT(height, 1000);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, (6600 - height) / 2);

    RecordingCanvas fitted;
    DrawChart(chart, fitted, PrintSurface(width, height, 600));
    const Reach reach = TextReach(fitted);
    EXPECT_GE(reach.left, -2);  // a text centred on an edge may round off a unit
    EXPECT_LE(reach.right, width + 2);
    EXPECT_TRUE(fitted.Has("text " + std::to_string((chart.plotRect.left + chart.plotRect.right) / 2) +
                           ",1 align 6 color 000000 '" + title + "'"));
    // The legend's entries stand inside the drawing too.
    EXPECT_GE(chart.legend.areaRect.left, 0);
    EXPECT_LE(chart.legend.areaRect.right, width);
}

TEST(ChartPageFitTest, AChartThatFitsKeepsTheProportionsOfItsWindow)
{
    LifeTableChart chart = MakeChart(1, "rdata.txt", kLegendLowerLeft);
    RecordingCanvas measuring;
    // Portrait: as wide as the page, centred from top to bottom.
    EXPECT_EQ(FitChartToPage(chart, measuring, 4800, 6600, 800, 600), (ChartRect{0, 1500, 4800, 5100}));
    // Landscape: as high as the page, centred from side to side.
    EXPECT_EQ(FitChartToPage(chart, measuring, 6600, 4800, 800, 600), (ChartRect{100, 0, 6500, 4800}));
    // A window without a client area leaves the whole page.
    EXPECT_EQ(FitChartToPage(chart, measuring, 6600, 4800, 0, 0), (ChartRect{0, 0, 6600, 4800}));
}

}  // namespace
}  // namespace kalderon
