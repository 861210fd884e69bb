#pragma once

#include <string>

#include "charts/Canvas.h"
#include "charts/ChartTypes.h"
#include "charts/LifeTableChart.h"

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

// The legend's width and height for the chart's shown series.
ChartSize LegendSize(const ChartDrawContext& ctx);
// Draws the legend into its areaRect.
void DrawLegend(const ChartDrawContext& ctx);

// Confidence intervals and curves of every shown series (clipped to the plot).
void DrawSeriesCurves(const ChartDrawContext& ctx);
// Markers of every shown series.
void DrawSeriesMarkers(const ChartDrawContext& ctx);

}  // namespace kalderon
