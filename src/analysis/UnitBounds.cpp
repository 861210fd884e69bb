#include "analysis/UnitBounds.h"

#include "stats/TimeUnit.h"

namespace kalderon {

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

}  // namespace kalderon
