#pragma once

#include <cstdint>
#include <string>

#include "charts/ChartTypes.h"
#include "charts/ScaledFont.h"

namespace kalderon {

// One axis of a survival chart: the horizontal time axis or the vertical
// survival axis.
class CChartAxis {
public:
    explicit CChartAxis(bool vertical);

    // Pixel position of a value along the axis, from the area of the last
    // drawing: x for the time axis, y for the survival axis.
    int Map(double value) const;

    std::int32_t isVertical = 0;
    std::string registryKey;
    std::string labelText;
    std::int32_t titleAlign = kAlignCenter;
    ChartRect areaRect;
    double minValue = 0.0;
    double maxValue = 1.0;
    double stepValue = 0.1;
    std::int32_t skipFirstTick = 0;
    ScaledFont labelFont;
    ScaledFont numberFont;
    ColorRef labelColor = 0;
    ColorRef numberColor = 0;
    std::int32_t tickDivisor = 20;

    bool operator==(const CChartAxis&) const = default;
};

// An axis range that a drawing can walk: finite values, a step of at least
// 1e-12, max above min and at most 1000 steps between them.
bool AxisRangeIsDrawable(double minValue, double maxValue, double stepValue);

}  // namespace kalderon
