#pragma once

#include <cstdint>

#include "resources/Texts.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// The unit after a number of them in a report: "years", "months", ...
inline const char* TimeUnitName(std::int32_t timeUnit)
{
    switch (timeUnit) {
    case kUnitMonth: return text::kMonths;
    case kUnitWeek: return text::kWeeks;
    case kUnitDay: return text::kDays;
    default: return text::kYears;
    }
}

}  // namespace kalderon
