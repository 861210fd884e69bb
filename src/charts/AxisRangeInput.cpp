#include "charts/AxisRangeInput.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "charts/ChartAxis.h"

namespace kalderon {

AxisValueInput ParseAxisValue(const std::string& text)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), isBlank).base();
    std::string trimmed(first, last);
    if (trimmed.empty()) return {true, std::nullopt};
    std::replace(trimmed.begin(), trimmed.end(), ',', '.');
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (*begin == '+') ++begin;
    double value = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) return {false, std::nullopt};
    return {false, value};
}

AxisRangeFault CheckAxisRange(double minValue, double maxValue, double stepValue)
{
    if (!(stepValue > 0.0)) return AxisRangeFault::kStepNotPositive;
    if (!(minValue < maxValue)) return AxisRangeFault::kMinNotBelowMax;
    if (!AxisRangeIsDrawable(minValue, maxValue, stepValue)) return AxisRangeFault::kTooManyTicks;
    return AxisRangeFault::kNone;
}

}  // namespace kalderon
