#pragma once

#include "charts/LifeTableChart.h"

namespace kalderon {

// What a drawing stores in the chart (areas, tick divisors, font heights),
// kept while the chart is drawn on another surface and put back afterwards,
// so that clicks on the window still find the window's areas.
class ChartLayoutSnapshot {
public:
    explicit ChartLayoutSnapshot(LifeTableChart& chart)
        : chart_(chart), plot_(chart.plotRect), title_(chart.titleFont), time_(Of(chart.timeAxis)),
          survival_(Of(chart.survivalAxis)), legendArea_(chart.legend.areaRect), legendFont_(chart.legend.legendFont)
    {
    }
    ~ChartLayoutSnapshot()
    {
        chart_.plotRect = plot_;
        chart_.titleFont = title_;
        Put(time_, chart_.timeAxis);
        Put(survival_, chart_.survivalAxis);
        chart_.legend.areaRect = legendArea_;
        chart_.legend.legendFont = legendFont_;
    }
    ChartLayoutSnapshot(const ChartLayoutSnapshot&) = delete;
    ChartLayoutSnapshot& operator=(const ChartLayoutSnapshot&) = delete;

private:
    struct AxisLayout {
        ChartRect area;
        ScaledFont labelFont;
        ScaledFont numberFont;
        std::int32_t tickDivisor;
    };
    static AxisLayout Of(const CChartAxis& axis)
    {
        return {axis.areaRect, axis.labelFont, axis.numberFont, axis.tickDivisor};
    }
    static void Put(const AxisLayout& layout, CChartAxis& axis)
    {
        axis.areaRect = layout.area;
        axis.labelFont = layout.labelFont;
        axis.numberFont = layout.numberFont;
        axis.tickDivisor = layout.tickDivisor;
    }

    LifeTableChart& chart_;
    ChartRect plot_;
    ScaledFont title_;
    AxisLayout time_;
    AxisLayout survival_;
    ChartRect legendArea_;
    ScaledFont legendFont_;
};

}  // namespace kalderon
