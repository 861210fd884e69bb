#include <algorithm>
#include <vector>

#include "charts/ChartDrawContext.h"
#include "charts/MarkerPainter.h"

namespace kalderon {
namespace {

// The series the legend lists and the font height it is laid out with.
struct LegendEntries {
    std::vector<int> shown;  // series with showSeries, in order
    int ciSeries = -1;       // first shown series that shows its confidence intervals
    int fontHeight = 0;      // F
};

LegendEntries CollectEntries(const ChartDrawContext& ctx)
{
    LifeTableChart& chart = ctx.chart;
    LegendEntries entries;
    for (int i = 0; i < chart.DrawableSeriesCount(); ++i) {
        const CSeriesStyle& style = chart.seriesStyles[i];
        if (!style.showSeries) continue;
        entries.shown.push_back(i);
        if (style.showCI && entries.ciSeries < 0) entries.ciSeries = i;
    }
    ctx.SelectFont(chart.legend.legendFont);
    entries.fontHeight = -chart.legend.legendFont.logFont.lfHeight;
    return entries;
}

// Distance from one group entry to the next when they stand in one row.
int RowEntryAdvance(const ChartDrawContext& ctx, int f, const std::string& text)
{
    return f * 9 / 2 + ctx.Measure(text).width + f;
}

}  // namespace

ChartSize LegendSize(const ChartDrawContext& ctx)
{
    const LegendEntries entries = CollectEntries(ctx);
    const LifeTableChart& chart = ctx.chart;
    const int f = entries.fontHeight;
    const int n = static_cast<int>(entries.shown.size());
    const bool hasCi = entries.ciSeries >= 0;
    const int ciWidth = ctx.Measure(chart.legend.CiText()).width;

    ChartSize size;
    if (chart.legend.legendPosition == kLegendBelow) {
        if (hasCi) size = {ciWidth + f * 3 / 2, 2 * f};
        if (n > 1) {
            int row = f * 5 / 2 + (n - 1) * 4 * f;
            for (int i : entries.shown) row += ctx.Measure(chart.GroupText(i)).width;
            size.width = std::max(size.width, row);
            size.height += 4 * f / 3;
        }
        return size;
    }

    // The texts start 9F/2 right of the legend's left edge; the legend is
    // that much wider than its widest text so that no text sticks out.
    int widest = ciWidth;
    for (int i : entries.shown) widest = std::max(widest, ctx.Measure(chart.GroupText(i)).width);
    size.width = widest + f * 9 / 2;
    size.height = (hasCi ? 2 * f : 0) + (n > 1 ? n * (4 * f / 3) : 0);
    return size;
}

void DrawLegend(const ChartDrawContext& ctx)
{
    const LegendEntries entries = CollectEntries(ctx);
    LifeTableChart& chart = ctx.chart;
    Canvas& canvas = ctx.canvas;
    const CChartLegend& legend = chart.legend;
    const int f = entries.fontHeight;
    const int n = static_cast<int>(entries.shown.size());
    const bool inRow = legend.legendPosition == kLegendBelow;

    canvas.SetTextColor(legend.legendColor);
    canvas.SetTextAlign(kAlignLeft | kAlignTop);
    int x = legend.areaRect.left;
    int y = legend.areaRect.top;
    const int bottom = legend.areaRect.bottom;

    if (n > 1) {
        const int middle = ctx.Measure("ABCD").height / 2;
        for (int i : entries.shown) {
            const CSeriesStyle& style = chart.seriesStyles[i];
            const std::string text = chart.GroupText(i);
            const int e = ctx.LineWidth(style.survivalLine);
            canvas.SelectPen(style.survivalLine.penStyle, style.survivalLine.lineColor);
            for (int j = 0; j < e; ++j) {
                const int lineY = y + middle - e / 2 + j;
                canvas.Line(x, lineY, x + 4 * f, lineY);
            }
            if (style.marker.symbol != 0) DrawMarker(canvas, style.marker, x + f, y + middle, ctx.MarkerSize(style.marker));
            canvas.TextOut(x + f * 9 / 2, y, text);
            if (inRow) {
                x += RowEntryAdvance(ctx, f, text);
            } else {
                y += 4 * f / 3;
            }
        }
        if (inRow) {
            x = legend.areaRect.left;
            y += 4 * f / 3;
        }
    }

    if (entries.ciSeries < 0) return;
    const CLineStyle& ci = chart.seriesStyles[entries.ciSeries].ciLine;
    const int g = ctx.LineWidth(ci);
    const int bx = x + f;
    const int barTop = y + f / 4;
    const int barBottom = bottom - f / 4;
    canvas.SelectPen(ci.penStyle, ci.lineColor);
    for (int j = 0; j < g; ++j) canvas.Line(bx - g / 2 + j, barTop, bx - g / 2 + j, barBottom);
    canvas.SelectPen(kPenSolid, ci.lineColor);
    for (int j = 0; j < g; ++j) {
        canvas.Line(bx - f / 2, barBottom - j, bx + f / 2, barBottom - j);
        canvas.Line(bx - f / 2, barTop + j, bx + f / 2, barTop + j);
    }
    canvas.TextOut(x + f * 9 / 2, y + f / 2, legend.CiText());
}

}  // namespace kalderon
