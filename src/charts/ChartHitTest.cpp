#include "charts/ChartHitTest.h"

#include "charts/LifeTableChart.h"

namespace kalderon {
namespace {

// The band above the plot, right of the survival axis.
bool InTitleBand(const LifeTableChart& chart, ChartPoint p)
{
    return p.y < chart.plotRect.top && p.x > chart.plotRect.left;
}

ChartHit TitleHit(const LifeTableChart& chart)
{
    const ChartRect& plot = chart.plotRect;
    return {ChartElement::kTitle, {plot.left, 1, plot.right, plot.top - 1}, kCommandEditTitle};
}

// An axis or the legend under p.
ChartHit AreaHit(const LifeTableChart& chart, ChartPoint p)
{
    if (chart.timeAxis.areaRect.Contains(p)) {
        return {ChartElement::kTimeAxis, chart.timeAxis.areaRect, kCommandEditTimeAxis};
    }
    if (chart.survivalAxis.areaRect.Contains(p)) {
        return {ChartElement::kSurvivalAxis, chart.survivalAxis.areaRect, kCommandEditSurvivalAxis};
    }
    if (chart.legend.areaRect.Contains(p)) return {ChartElement::kLegend, chart.legend.areaRect, kCommandEditLegend};
    return {};
}

}  // namespace

ChartHit HitTestClick(const LifeTableChart& chart, ChartPoint p)
{
    const ChartHit hit = AreaHit(chart, p);
    if (hit.element != ChartElement::kNone) return hit;
    if (InTitleBand(chart, p)) return TitleHit(chart);
    return {};
}

ChartHit HitTestDoubleClick(const LifeTableChart& chart, ChartPoint p)
{
    if (InTitleBand(chart, p)) return TitleHit(chart);
    const ChartHit hit = AreaHit(chart, p);
    if (hit.element != ChartElement::kNone) return hit;
    if (chart.plotRect.Contains(p)) return {ChartElement::kPlot, chart.plotRect, kCommandFormatSeries};
    return {};
}

}  // namespace kalderon
