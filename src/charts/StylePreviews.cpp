#include "charts/StylePreviews.h"

#include "charts/Canvas.h"
#include "charts/CiBarPainter.h"
#include "charts/LifeTableChart.h"
#include "charts/MarkerPainter.h"

namespace kalderon {
namespace {

void DrawPolyline(Canvas& canvas, const CLineStyle& line, std::initializer_list<ChartPoint> points)
{
    const int width = line.lineWidth;
    canvas.SelectPen(line.penStyle, line.lineColor);
    for (int k = -width / 2; k < -width / 2 + width; ++k) {
        const ChartPoint* p = points.begin();
        canvas.MoveTo(p->x, p->y + k);
        for (++p; p != points.end(); ++p) canvas.LineTo(p->x, p->y + k);
    }
}

}  // namespace

void DrawSeriesPreview(Canvas& canvas, const CSeriesStyle& style, std::int32_t chartKind, int w, int h)
{
    if (!style.showSeries) return;
    const bool productLimit = chartKind == kChartProductLimit;
    if (style.showCI) {
        const int cap = w / 20;
        if (productLimit) {
            DrawCiBar(canvas, style.ciLine, style.ciLine.lineWidth, w / 3, h / 8, 7 * h / 8, cap);
        } else {
            DrawCiBar(canvas, style.ciLine, style.ciLine.lineWidth, w / 3, 2, 2 * h / 3 - 2, cap);
            DrawCiBar(canvas, style.ciLine, style.ciLine.lineWidth, 2 * w / 3, h / 3 + 2, h - 2, cap);
        }
    }
    if (productLimit) {
        DrawPolyline(canvas, style.survivalLine, {{0, h / 4}, {w / 3, h / 4}, {w / 3, h / 2}, {w, h / 2}});
    } else if (chartKind != kChartTrend) {
        DrawPolyline(canvas, style.survivalLine, {{0, h / 3}, {w / 3, h / 3}, {2 * w / 3, 2 * h / 3}, {w, 2 * h / 3}});
    }
    if (style.marker.symbol <= 0) return;
    const int size = style.marker.markerSize;
    if (productLimit) {
        DrawMarker(canvas, style.marker, w / 6, h / 4, size);
        DrawMarker(canvas, style.marker, 2 * w / 3, h / 2, size);
    } else {
        DrawMarker(canvas, style.marker, w / 3, h / 3, size);
        DrawMarker(canvas, style.marker, 2 * w / 3, 2 * h / 3, size);
    }
}

void DrawPenSample(Canvas& canvas, const ChartRect& item, int penStyle, int width, ColorRef color)
{
    canvas.SelectPen(penStyle, color);
    const int top = (item.top + item.bottom) / 2 - width / 2;
    for (int j = 0; j < width; ++j) canvas.Line(item.left + 5, top + j, item.right - 5, top + j);
}

void DrawMarkerSample(Canvas& canvas, const ChartRect& item, const CMarkerStyle& marker)
{
    const int size = (item.bottom - item.top) / 2 - 2;
    DrawMarker(canvas, marker, (item.left + item.right) / 2, (item.top + item.bottom) / 2, size);
}

}  // namespace kalderon
