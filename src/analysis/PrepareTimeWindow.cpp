#include "analysis/UnitBounds.h"
#include "stats/AnalysisData.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

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
