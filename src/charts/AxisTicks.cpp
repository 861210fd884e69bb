#include "charts/AxisTicks.h"

#include <algorithm>
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

namespace {

// Whether `decimals` show the value without rounding it: the value is a
// whole number of 10^-decimals, up to the error of computing it.
bool ShownExactly(double value, int decimals)
{
    const double scaled = value * std::pow(10.0, decimals);
    return std::fabs(scaled - std::round(scaled)) <= 1e-6;
}

}  // namespace

int AxisTickDecimals(const CChartAxis& axis)
{
    const int ticks = TickCount(axis.minValue, axis.maxValue, axis.stepValue);
    const auto showsEveryTick = [&](int decimals) {
        for (int i = 0; i < ticks; ++i)
            if (!ShownExactly(i * axis.stepValue + axis.minValue, decimals)) return false;
        return true;
    };
    const int decimals = TickDecimals(axis.stepValue);
    if (showsEveryTick(decimals)) return decimals;
    for (int more = decimals + 1; more < kMostTickDecimals; ++more)
        if (showsEveryTick(more)) return more;
    return std::max(decimals, kMostTickDecimals);
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
