#pragma once

#include <cstdint>
#include <string>

namespace kalderon {

enum TimeUnitCode : std::int32_t { kUnitYear = 0, kUnitMonth = 1, kUnitWeek = 2, kUnitDay = 3 };

// Length of one interval in days for a time unit code.
inline double UnitDays(std::int32_t timeUnit)
{
    switch (timeUnit) {
    case kUnitMonth: return 30.4375;
    case kUnitWeek: return 7.0;
    case kUnitDay: return 1.0;
    default: return 365.25;
    }
}

// Number of intervals needed to hold the longest observation time.
inline int IntervalCount(std::int32_t maxObservationDays, double unitDays)
{
    return static_cast<int>(maxObservationDays / unitDays) + 1;
}

inline constexpr double kDaysToYears = 0.0027378507871321013;  // 1 / 365.25

// Normal quantile of a confidence level text: ".99" or anything else (.95).
inline double ZValue(const std::string& ciLevelText)
{
    return ciLevelText == ".99" ? 2.5758 : 1.95996;
}

}  // namespace kalderon
