#include <gtest/gtest.h>

#include "charts/LifeTableChart.h"
#include "charts/StylePreviews.h"
#include "charts/RecordingCanvas.h"

namespace kalderon {
namespace {

CSeriesStyle PreviewStyle()
{
    CSeriesStyle style;
    style.showSeries = 1;
    style.showCI = 1;
    style.ciLine = {0x0000ff, 2, kPenDash};
    style.survivalLine = {0x00ff00, 1, kPenSolid};
    style.marker.symbol = kSymbolNone;
    return style;
}

// w = 120, h = 80: the product-limit bar stands at x = 40 from 10 to 70,
// two lines wide from x = 39; caps of half width 6, thickened inward.
TEST(StylePreviewsTest, ProductLimitPreviewDrawsTheChartsConfidenceBar)
{
    testing::RecordingCanvas canvas;
    DrawSeriesPreview(canvas, PreviewStyle(), kChartProductLimit, 120, 80);
    const std::vector<std::string> expected = {
        "pen 1 0000ff",         "line 39,10 39,70",     "line 40,10 40,70", "pen 0 0000ff",
        "line 34,10 46,10",     "line 34,70 46,70",     "line 34,11 46,11", "line 34,69 46,69",
        "pen 0 00ff00",         "line 0,20 40,20",      "line 40,20 40,40", "line 40,40 120,40",
    };
    EXPECT_EQ(canvas.records, expected);
}

// Other kinds: bars at w/3 from 2 to 2h/3 − 2 and at 2w/3 from h/3 + 2 to h − 2.
TEST(StylePreviewsTest, LifeTablePreviewHasTwoBarsAndNothingWhenHidden)
{
    CSeriesStyle style = PreviewStyle();
    style.ciLine.lineWidth = 1;
    testing::RecordingCanvas canvas;
    DrawSeriesPreview(canvas, style, kChartLifeTable, 120, 90);
    EXPECT_TRUE(canvas.Has("line 40,2 40,58"));
    EXPECT_TRUE(canvas.Has("line 34,2 46,2"));
    EXPECT_TRUE(canvas.Has("line 34,58 46,58"));
    EXPECT_TRUE(canvas.Has("line 80,32 80,88"));
    EXPECT_TRUE(canvas.Has("line 74,88 86,88"));
    EXPECT_TRUE(canvas.Has("line 0,30 40,30"));

    style.showSeries = 0;
    testing::RecordingCanvas hidden;
    DrawSeriesPreview(hidden, style, kChartLifeTable, 120, 90);
    EXPECT_TRUE(hidden.records.empty());
}

}  // namespace
}  // namespace kalderon
