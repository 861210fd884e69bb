#include "charts/ChartRenderer.h"

#include <algorithm>
#include <cstdio>

#include "charts/AxisTicks.h"
#include "charts/ChartDrawContext.h"

namespace kalderon {
namespace {

constexpr int kMaxDrawnWidth = 999;  // the largest line width or marker size drawn

int TextAlignX(int align, int left, int right)
{
    switch (align) {
    case kAlignLeft: return left;
    case kAlignRight: return right;
    default: return (left + right) / 2;
    }
}

bool IsAlignment(int align) { return align == kAlignLeft || align == kAlignRight || align == kAlignCenter; }

void DrawAxisLabel(const ChartDrawContext& ctx, CChartAxis& axis)
{
    const ChartRect& area = axis.areaRect;
    ctx.SelectFont(axis.labelFont);
    ctx.canvas.SetTextColor(axis.labelColor);
    if (!IsAlignment(axis.titleAlign)) return;
    if (axis.isVertical) {
        // The text runs upward: its start lies at the bottom, its end at the top.
        ctx.canvas.SetTextAlign(axis.titleAlign);
        const int y = axis.titleAlign == kAlignLeft    ? area.bottom
                      : axis.titleAlign == kAlignRight ? area.top
                                                       : (area.top + area.bottom) / 2;
        ctx.canvas.TextOut(area.left, y, axis.labelText);
    } else {
        ctx.canvas.SetTextAlign(axis.titleAlign | kAlignBottom);
        ctx.canvas.TextOut(TextAlignX(axis.titleAlign, area.left, area.right), area.bottom, axis.labelText);
    }
}

void DrawAxis(const ChartDrawContext& ctx, CChartAxis& axis)
{
    Canvas& canvas = ctx.canvas;
    const ChartRect& area = axis.areaRect;
    DrawAxisLabel(ctx, axis);

    canvas.SelectPen(kPenSolid, Rgb(0, 0, 0));
    if (axis.isVertical) {
        canvas.Line(area.right, area.bottom, area.right, area.top);
    } else {
        canvas.Line(area.left, area.top, area.right, area.top);
    }

    ctx.SelectFont(axis.numberFont);
    canvas.SetTextColor(axis.numberColor);
    const int ticks = TickCount(axis.minValue, axis.maxValue, axis.stepValue);
    const int decimals = AxisTickDecimals(axis);
    const int divisor = std::max(1, axis.tickDivisor);
    for (int i = axis.skipFirstTick ? 1 : 0; i < ticks; ++i) {
        const double value = i * axis.stepValue + axis.minValue;
        const std::string label = TickLabel(value, decimals);
        if (axis.isVertical) {
            const int y = axis.Map(value);
            const int tick = (area.right - area.left) / divisor;
            canvas.Line(area.right - tick, y, area.right, y);
            canvas.SetTextAlign(kAlignRight | kAlignTop);
            canvas.TextOut(area.right - tick * 3 / 2, y - ctx.Measure(label).height / 2, label);
        } else {
            const int x = axis.Map(value);
            const int tick = (area.bottom - area.top) / divisor;
            canvas.Line(x, area.top, x, area.top + tick * 2);
            canvas.SetTextAlign(kAlignCenter | kAlignTop);
            canvas.TextOut(x, area.top + tick * 3, label);
        }
    }
}

// Height of the time axis band; sets the axis's tick divisor.
int TimeAxisHeight(const ChartDrawContext& ctx)
{
    CChartAxis& axis = ctx.chart.timeAxis;
    ctx.SelectFont(axis.labelFont);
    const int labelHeight = ctx.Measure(axis.labelText).height * 5 / 4;
    ctx.SelectFont(axis.numberFont);
    const int numberHeight = std::max(1, ctx.Measure("0123456789").height);
    const int height = labelHeight + numberHeight * 3 / 2;
    axis.tickDivisor = height * 4 / numberHeight;
    return height;
}

// Width of the survival axis band; sets the axis's tick divisor.
int SurvivalAxisWidth(const ChartDrawContext& ctx)
{
    CChartAxis& axis = ctx.chart.survivalAxis;
    ctx.SelectFont(axis.labelFont);
    const int labelHeight = ctx.Measure(axis.labelText).height;
    ctx.SelectFont(axis.numberFont);
    int widest = 0;
    for (double v = 0.0; v <= 1.0; v += 0.1) {
        char label[16];
        std::snprintf(label, sizeof label, "%3.1f", v);
        widest = std::max(widest, ctx.Measure(label).width);
    }
    widest = std::max(1, widest);
    const int width = labelHeight * 3 / 2 + (4 * widest) / 3;
    axis.tickDivisor = width * 4 / widest;
    return width;
}

int WidestTimeTickLabel(const ChartDrawContext& ctx)
{
    CChartAxis& axis = ctx.chart.timeAxis;
    ctx.SelectFont(axis.numberFont);
    const int ticks = TickCount(axis.minValue, axis.maxValue, axis.stepValue);
    const int decimals = AxisTickDecimals(axis);
    int widest = 0;
    for (int i = 0; i < ticks; ++i) {
        widest = std::max(widest, ctx.Measure(TickLabel(i * axis.stepValue + axis.minValue, decimals)).width);
    }
    return widest;
}

// Draws the title and returns the top of the plot below it.
int DrawTitle(const ChartDrawContext& ctx, int left, int right)
{
    LifeTableChart& chart = ctx.chart;
    ctx.SelectFont(chart.titleFont);
    ctx.canvas.SetTextColor(chart.titleColor);
    if (IsAlignment(chart.titleAlign)) {
        ctx.canvas.SetTextAlign(chart.titleAlign);
        ctx.canvas.TextOut(TextAlignX(chart.titleAlign, left, right), 1, chart.titleText);
    }
    ctx.canvas.SetTextColor(Rgb(0, 0, 0));
    return ctx.Measure(chart.titleText).height + 1;
}

ChartRect PlaceLegend(const CChartLegend& legend, ChartSize size, ChartRect& plot, int drawingHeight)
{
    const int n = size.width;
    const int g = size.height;
    const int q = g / 4;
    ChartRect area;
    switch (legend.legendPosition) {
    case kLegendUpperRight:
        area.right = plot.right - q;
        area.left = area.right - n;
        area.top = plot.top + q;
        area.bottom = area.top + g;
        break;
    case kLegendBelow: {
        plot.bottom -= g * 5 / 4;
        const int centre = (plot.left + plot.right) / 2;
        area.left = centre - n / 2;
        area.right = centre + n / 2;
        area.top = drawingHeight - g - 1;
        area.bottom = drawingHeight - 1;
        break;
    }
    default:
        area.left = plot.left + q;
        area.right = area.left + n;
        area.bottom = plot.bottom - q;
        area.top = area.bottom - g;
        break;
    }
    return area;
}

}  // namespace

int ChartDrawContext::LineWidth(const CLineStyle& line) const
{
    return std::clamp(line.lineWidth, 0, kMaxDrawnWidth) * (printing ? 3 : 1);
}

int ChartDrawContext::MarkerSize(const CMarkerStyle& marker) const
{
    const int size = std::clamp(marker.markerSize, 0, kMaxDrawnWidth);
    if (!scaleMarkers || clientHeight <= 0) return size;
    return static_cast<int>(static_cast<long long>(size) * height / clientHeight);
}

DrawingSurface WindowSurface(int clientWidth, int clientHeight)
{
    return {clientWidth, clientHeight, false, clientHeight};
}

DrawingSurface PrintSurface(int pageWidth, int pageHeight, int clientHeight)
{
    return {pageWidth, pageHeight, true, clientHeight};
}

DrawingSurface ExportSurface(int clientWidth, int clientHeight)
{
    if (clientWidth <= 0 || clientHeight <= 0) return {2000, 1500, false, 0};
    return {2000, static_cast<int>(static_cast<long long>(clientHeight) * 2000 / clientWidth), false, clientHeight};
}

void DrawChart(LifeTableChart& chart, Canvas& canvas, const DrawingSurface& surface)
{
    const int w = surface.width;
    const int h = surface.height;
    ChartDrawContext ctx{chart, canvas, w, h, surface.printing, surface.printing || chart.exportMode != 0,
                         surface.clientHeight};
    canvas.Save();
    canvas.SetMapping(w, h);

    const NumbersAtRiskTable riskTable = MakeNumbersAtRiskTable(chart);
    ChartRect plot{0, 0, w, h};
    plot.bottom -= TimeAxisHeight(ctx);
    const ChartSize riskTableSize = NumbersAtRiskSize(ctx, riskTable);
    plot.bottom -= riskTableSize.height;
    plot.left += SurvivalAxisWidth(ctx);
    plot.right -= std::max(WidestTimeTickLabel(ctx), riskTableSize.width) / 2;
    plot.top = DrawTitle(ctx, plot.left, plot.right);

    int band = 0;
    if (chart.legend.showLegend) {
        const ChartSize size = LegendSize(ctx);
        chart.legend.areaRect = PlaceLegend(chart.legend, size, plot, h);
        if (chart.legend.legendPosition == kLegendBelow) band = size.height * 5 / 4;
        DrawLegend(ctx);
    }

    const int riskTableTop = h - band - riskTableSize.height;
    chart.timeAxis.areaRect = {plot.left, plot.bottom, plot.right, riskTableTop};
    DrawAxis(ctx, chart.timeAxis);
    DrawNumbersAtRisk(ctx, riskTable, riskTableTop);
    chart.survivalAxis.areaRect = {1, plot.top, plot.left, plot.bottom};
    DrawAxis(ctx, chart.survivalAxis);
    chart.plotRect = plot;

    canvas.SetClip(plot);
    DrawSeriesCurves(ctx);
    canvas.SetClip({0, 0, w, h});
    DrawSeriesMarkers(ctx);
    canvas.Restore();
}

}  // namespace kalderon
