#include "analysis/PeriodSteps.h"

#include <algorithm>

#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

// The range of calendar days the date type holds: 01.01.100 to 31.12.9999.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

DateValue DaysLater(const DateValue& date, long long days)
{
    if (!date.isValid()) return date;
    const double serial = date.serial() + static_cast<double>(days);
    return serial >= kFirstDay && serial <= kLastDay ? DateValue::FromSerial(serial) : DateValue::Invalid();
}

DateValue LastDayOfMonth(const DateValue& date)
{
    if (!date.isValid()) return date;
    const CivilDate c = date.civil();
    return DateValue::FromYmd(c.year, c.month, DaysInMonth(c.year, c.month));
}

DateValue Ymd(long long year, int month, int day)
{
    if (year < 0 || year > 9999) return DateValue::Invalid();
    const int y = static_cast<int>(year);
    return DateValue::FromYmd(y, month, std::min(day, DaysInMonth(y, month)));
}

bool Before(const DateValue& a, const DateValue& b) { return a.isValid() && b.isValid() && a.serial() < b.serial(); }

}  // namespace

DateValue AddYears(const DateValue& date, int years)
{
    if (!date.isValid()) return date;
    const CivilDate c = date.civil();
    return Ymd(static_cast<long long>(c.year) + years, c.month, c.day);
}

DateValue AddMonths(const DateValue& date, int months)
{
    if (!date.isValid()) return date;
    const CivilDate c = date.civil();
    const long long index = static_cast<long long>(c.year) * 12 + (c.month - 1) + months;
    const long long year = index >= 0 ? index / 12 : (index - 11) / 12;
    return Ymd(year, static_cast<int>(index - year * 12) + 1, c.day);
}

DateValue OneUnitLater(const DateValue& date, std::int32_t unit)
{
    switch (unit) {
    case kUnitYear: return AddYears(date, 1);
    case kUnitMonth: return AddMonths(date, 1);
    case kUnitWeek: return DaysLater(date, 7);
    default: return DaysLater(date, 1);
    }
}

DateValue OneUnitEarlier(const DateValue& date, std::int32_t unit)
{
    switch (unit) {
    case kUnitYear: return AddYears(date, -1);
    case kUnitMonth: return AddMonths(date, -1);
    case kUnitWeek: return DaysLater(date, -7);
    default: return DaysLater(date, -1);
    }
}

DateValue EndOneUnitLater(const DateValue& end, std::int32_t unit)
{
    return unit == kUnitMonth ? LastDayOfMonth(AddMonths(end, 1)) : OneUnitLater(end, unit);
}

DateValue EndOneUnitEarlier(const DateValue& end, std::int32_t unit)
{
    return unit == kUnitMonth ? LastDayOfMonth(AddMonths(end, -1)) : OneUnitEarlier(end, unit);
}

bool StepPeriodBegin(CAnalysisData& data, bool later)
{
    const DateValue& begin = data.periodBegin;
    if (later) {
        const DateValue next = OneUnitLater(begin, data.timeUnit);
        if (!Before(next, data.periodEnd)) return false;
        data.periodBegin = next;
        return true;
    }
    const DateValue next = OneUnitEarlier(begin, data.timeUnit);
    if (next.isValid() && !Before(next, data.windowBegin)) {
        data.periodBegin = next;
        return true;
    }
    if (!Before(data.windowBegin, begin)) return false;
    data.periodBegin = data.windowBegin;
    return true;
}

bool StepPeriodEnd(CAnalysisData& data, bool later)
{
    const DateValue& end = data.periodEnd;
    if (!later) {
        const DateValue next = EndOneUnitEarlier(end, data.timeUnit);
        if (!Before(data.periodBegin, next)) return false;
        data.periodEnd = next;
        return true;
    }
    const DateValue next = EndOneUnitLater(end, data.timeUnit);
    if (Before(next, data.windowEnd)) {
        data.periodEnd = next;
        return true;
    }
    if (!Before(end, data.windowEnd)) return false;
    data.periodEnd = data.windowEnd;
    return true;
}

DateValue AnimatedPeriodEnd(const DateValue& begin, std::int32_t unit, std::int32_t width)
{
    switch (unit) {
    case kUnitYear: return AddYears(begin, width);
    case kUnitMonth: return LastDayOfMonth(AddMonths(begin, width));
    case kUnitWeek: return DaysLater(begin, 7LL * width);
    default: return DaysLater(begin, width);
    }
}

void StepAnimatedPeriod(CAnalysisData& data)
{
    const DateValue begin = OneUnitLater(data.periodBegin, data.timeUnit);
    const DateValue end = AnimatedPeriodEnd(begin, data.timeUnit, data.periodWidth);
    if (end.isValid() && data.windowEnd.isValid() && end.serial() <= data.windowEnd.serial()) {
        data.periodBegin = begin;
        data.periodEnd = end;
        return;
    }
    data.periodBegin = data.windowBegin;
    data.periodEnd = AnimatedPeriodEnd(data.windowBegin, data.timeUnit, data.periodWidth);
}

}  // namespace kalderon
