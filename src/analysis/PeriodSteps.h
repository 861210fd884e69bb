#pragma once

#include <cstdint>

#include "stats/AnalysisData.h"

namespace kalderon {

// Calendar steps of the period of interest by time unit (0 year, 1 month,
// 2 week, 3 day).  A step to a day its month lacks (29 February in a common
// year, the 31st of a shorter month) lands on that month's last day.  Steps
// from a date that is not valid give a date that is not valid.

DateValue AddYears(const DateValue& date, int years);
DateValue AddMonths(const DateValue& date, int months);

// The same day one unit later or earlier: a year, a month, 7 days, 1 day.
DateValue OneUnitLater(const DateValue& date, std::int32_t unit);
DateValue OneUnitEarlier(const DateValue& date, std::int32_t unit);

// A period end one unit later or earlier: a year, the last day of the next
// or the previous month, 7 days, 1 day.
DateValue EndOneUnitLater(const DateValue& end, std::int32_t unit);
DateValue EndOneUnitEarlier(const DateValue& end, std::int32_t unit);

// The arrows beside the period of interest, in the record's time unit.
// The begin moves later while it stays before the period end, and earlier
// down to the window begin; the end moves later up to the window end, and
// earlier while it stays after the period begin.  A step that would leave
// the window stops at its edge.  True when the date changed.
bool StepPeriodBegin(CAnalysisData& data, bool later);
bool StepPeriodEnd(CAnalysisData& data, bool later);

// The end of a period `width` units long from `begin`, as the trend diagram
// shows it: the same day `width` years later, the last day of the month
// `width` months later, or `width` weeks or days later.
DateValue AnimatedPeriodEnd(const DateValue& begin, std::int32_t unit, std::int32_t width);

// One step of the trend diagram: the period of interest moves one unit
// later, keeping `periodWidth` units; when its end would pass the window
// end it starts over at the window begin.
void StepAnimatedPeriod(CAnalysisData& data);

}  // namespace kalderon
