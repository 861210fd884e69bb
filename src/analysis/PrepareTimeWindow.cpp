#include "stats/AnalysisData.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

DateValue StartOfUnit(const DateValue& date, std::int32_t unit)
{
    const CivilDate c = date.civil();
    switch (unit) {
    case kUnitYear: return DateValue::FromYmd(c.year, 1, 1);
    case kUnitMonth: return DateValue::FromYmd(c.year, c.month, 1);
    case kUnitWeek: return DateValue::FromSerial(date.serial() - (date.dayOfWeek() + 6) % 7);
    default: return date;
    }
}

DateValue EndOfUnit(const DateValue& date, std::int32_t unit)
{
    const CivilDate c = date.civil();
    switch (unit) {
    case kUnitYear: return DateValue::FromYmd(c.year, 12, 31);
    case kUnitMonth: return DateValue::FromYmd(c.year, c.month, DaysInMonth(c.year, c.month));
    case kUnitWeek: return DateValue::FromSerial(date.serial() + (7 - date.dayOfWeek()) % 7);
    default: return date;
    }
}

std::int32_t UnitsPerYear(std::int32_t unit)
{
    switch (unit) {
    case kUnitMonth: return 12;
    case kUnitWeek: return 52;
    case kUnitDay: return 365;
    default: return 5;
    }
}

}  // namespace

void CAnalysisData::PrepareTimeWindow()
{
    const std::int32_t unit = timeUnit;
    if (firstBeginDate.isValid()) windowBegin = StartOfUnit(firstBeginDate, unit);
    if (lastEndDate.isValid()) windowEnd = EndOfUnit(lastEndDate, unit);

    const bool isDay = unit == kUnitDay;
    const bool beginInside = periodBegin.isValid() && (isDay ? periodBegin.serial() >= windowBegin.serial()
                                                             : periodBegin.serial() > windowBegin.serial());
    periodBegin = beginInside ? StartOfUnit(periodBegin, unit) : windowBegin;

    const bool endInside = periodEnd.isValid() && (isDay ? periodEnd.serial() <= windowEnd.serial()
                                                         : periodEnd.serial() < windowEnd.serial());
    periodEnd = endInside ? EndOfUnit(periodEnd, unit) : windowEnd;

    survivalYears = UnitsPerYear(unit);
    periodWidth = UnitsPerYear(unit);
}

}  // namespace kalderon
