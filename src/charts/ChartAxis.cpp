#include "charts/ChartAxis.h"

#include <algorithm>
#include <cmath>

namespace kalderon {

namespace {
// More ticks than this cannot be told apart on any screen, and each one is a
// label to lay out; finer steps make labels of hundreds of decimals.
constexpr double kMaxTickCount = 1000.0;
constexpr double kSmallestStep = 1e-12;
constexpr double kFarOutside = 1 << 20;
}

CChartAxis::CChartAxis(bool vertical) : isVertical(vertical ? 1 : 0)
{
    labelFont = ScaledFont{LogFont::Make(12, 400, "Arial"), 35.0f};
    numberFont = ScaledFont{LogFont::Make(12, 400, "Arial"), 38.0f};
    if (vertical) labelFont.logFont.lfEscapement = 900;
}

int CChartAxis::Map(double value) const
{
    const double span = maxValue - minValue;
    if (!(span > 0.0)) return isVertical ? areaRect.bottom : areaRect.left;
    const double fraction = (value - minValue) / span;
    const int extent = isVertical ? areaRect.bottom - areaRect.top : areaRect.right - areaRect.left;
    // Values far outside the axis (a chart file may hold any number) stay far
    // outside the drawing but within int: the clipping cuts them off.
    double offset = fraction * extent;
    if (std::isnan(offset)) offset = 0.0;
    offset = std::clamp(offset, -kFarOutside, kFarOutside);
    if (isVertical) return areaRect.bottom - static_cast<int>(offset);
    return areaRect.left + static_cast<int>(offset);
}

bool AxisRangeIsDrawable(double minValue, double maxValue, double stepValue)
{
    if (!std::isfinite(minValue) || !std::isfinite(maxValue) || !std::isfinite(stepValue)) return false;
    if (stepValue < kSmallestStep || maxValue <= minValue) return false;
    return (maxValue - minValue) / stepValue <= kMaxTickCount;
}

}  // namespace kalderon
