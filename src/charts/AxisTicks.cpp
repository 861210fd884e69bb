#include "charts/AxisTicks.h"

#include <cmath>
#include <cstdio>

#include "charts/ChartAxis.h"

namespace kalderon {

int TickCount(double minValue, double maxValue, double stepValue)
{
    if (!AxisRangeIsDrawable(minValue, maxValue, stepValue)) return 0;
    return static_cast<int>((maxValue - minValue) / stepValue) + 1;
}

int TickDecimals(double stepValue)
{
    if (stepValue >= 1.0) return 0;
    return 1 - static_cast<int>(std::log10(static_cast<long double>(stepValue)));
}

std::vector<double> LabelledTickValues(const CChartAxis& axis)
{
    std::vector<double> values;
    const int ticks = TickCount(axis.minValue, axis.maxValue, axis.stepValue);
    for (int i = axis.skipFirstTick ? 1 : 0; i < ticks; ++i) values.push_back(i * axis.stepValue + axis.minValue);
    return values;
}

std::string TickLabel(double value, int decimals)
{
    char format[32];
    std::snprintf(format, sizeof format, "%%%d.%df", decimals + 1, decimals);
    char label[64];
    std::snprintf(label, sizeof label, format, value);
    return label;
}

}  // namespace kalderon
