#pragma once

#include <cstdint>

#include "stats/DateValue.h"

namespace kalderon {

// Calendar year and month/day of a valid date, looked up in a table for the
// years 1800 to 2199 (and computed outside them).  For the hot loops that
// turn every case's dates into years and ages.
struct YearAndDay {
    int year;
    int monthDay;  // month * 32 + day: orders dates within a year
};

YearAndDay LookUpYearAndDay(const DateValue& date);

// Completed years of age at `at` for someone born on `birth` (both valid).
inline int CompletedYearsOfAge(const YearAndDay& birth, const YearAndDay& at)
{
    return at.year - birth.year - (at.monthDay >= birth.monthDay ? 0 : 1);
}

}  // namespace kalderon
