#include "analysis/ui/TimeUnitTexts.h"

#include "stats/TimeUnit.h"

namespace kalderon {

QStringList TimeUnitNames()
{
    return {QStringLiteral("Year"), QStringLiteral("Month"), QStringLiteral("Week"), QStringLiteral("Day")};
}

QString TimeUnitPlural(std::int32_t unit)
{
    switch (unit) {
    case kUnitMonth: return QStringLiteral("months");
    case kUnitWeek: return QStringLiteral("weeks");
    case kUnitDay: return QStringLiteral("days");
    default: return QStringLiteral("years");
    }
}

}  // namespace kalderon
