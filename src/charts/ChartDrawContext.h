#pragma once

#include <string>
#include <vector>

#include "charts/Canvas.h"
#include "charts/ChartTypes.h"
#include "charts/LifeTableChart.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// What the parts of one chart drawing share.
struct ChartDrawContext {
    LifeTableChart& chart;
    Canvas& canvas;
    int width = 0;   // W
    int height = 0;  // H
    bool printing = false;
    bool scaleMarkers = false;
    int clientHeight = 0;

    void SelectFont(ScaledFont& font) const { canvas.SelectFont(font.ScaleTo(height)); }
    ChartSize Measure(const std::string& text) const { return canvas.TextExtent(text); }

    // Line widths of the styles, bounded and tripled when printing.
    int LineWidth(const CLineStyle& line) const;
    // Marker half extent, scaled for printing and export.
    int MarkerSize(const CMarkerStyle& marker) const;
};

// Days per unit of the time axis of product-limit charts.
inline double ProductLimitUnitDays(std::int32_t timeUnit)
{
    return timeUnit >= kUnitYear && timeUnit <= kUnitDay ? UnitDays(timeUnit) : 1.0;
}

// The numbers at risk of the shown series at the labelled ticks of the time
// axis, one row per series in the colour of its curve.
struct NumbersAtRiskTable {
    struct Row {
        ColorRef color = 0;
        std::vector<std::string> numbers;
    };
    std::vector<double> ticks;
    std::vector<Row> rows;
};

// The table of a product-limit chart that shows it; no rows otherwise.
NumbersAtRiskTable MakeNumbersAtRiskTable(const LifeTableChart& chart);
// Width of the widest number and height of the whole table (a gap of half a
// line above the rows) in the time axis's number font.
ChartSize NumbersAtRiskSize(const ChartDrawContext& ctx, const NumbersAtRiskTable& table);
// Draws the rows from top down, each number centred under its tick.
void DrawNumbersAtRisk(const ChartDrawContext& ctx, const NumbersAtRiskTable& table, int top);

// The legend's width and height for the chart's shown series.
ChartSize LegendSize(const ChartDrawContext& ctx);
// Draws the legend into its areaRect.
void DrawLegend(const ChartDrawContext& ctx);

// Confidence intervals and curves of every shown series (clipped to the plot).
void DrawSeriesCurves(const ChartDrawContext& ctx);
// Markers of every shown series.
void DrawSeriesMarkers(const ChartDrawContext& ctx);

}  // namespace kalderon
