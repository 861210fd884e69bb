#pragma once

#include <string>
#include <vector>

namespace kalderon {

class CChartAxis;

// Tick count of an axis range: trunc((max - min) / step) + 1; 0 for a range
// a drawing cannot walk.
int TickCount(double minValue, double maxValue, double stepValue);

// Decimals of the tick labels: none for steps of 1 or more, else
// 1 - trunc(log10(step)) in extended precision (0.1 and 0.5 give 1, 0.05 and
// 0.01 give 2).
int TickDecimals(double stepValue);

// Decimals of an axis's tick labels: TickDecimals of its step when they
// show every tick value exactly, else the fewest that do, at most
// kMostTickDecimals.
inline constexpr int kMostTickDecimals = 6;
int AxisTickDecimals(const CChartAxis& axis);

// The values of the ticks an axis labels (without the first one when the
// axis skips it).
std::vector<double> LabelledTickValues(const CChartAxis& axis);

// "%<d+1>.<d>f" formatted with the value.
std::string TickLabel(double value, int decimals);

}  // namespace kalderon
