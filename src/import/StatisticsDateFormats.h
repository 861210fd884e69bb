#pragma once

#include <cmath>
#include <optional>
#include <string_view>

namespace kalderon {

// The statistics packages whose data files are read, each with its own
// date values.
enum class StatisticsPackage { kStata, kSas, kSpss };

// How the numbers of a date-formatted variable become day numbers since
// 30.12.1899: value / unitsPerDay + epochDay.
struct DateScale {
    double unitsPerDay = 1.0;
    double epochDay = 0.0;

    // The day number as a date value holds it: before day 0 the time of day
    // counts away from zero (-1.25 is 29.12.1899 06:00).
    double DayNumber(double value) const
    {
        const double days = value / unitsPerDay + epochDay;
        const double whole = std::floor(days);
        return whole < 0 && days != whole ? whole - (days - whole) : days;
    }
};

// The scale of a variable whose display format shows a calendar date or a
// date and time; nothing for every other format (numbers, texts, times of
// day, durations, weeks, months and years counted on their own).
//   Stata: %td and the old %d (days since 1.1.1960), %tc and %tC
//          (milliseconds since then).
//   SAS:   DATE, DDMMYY, MMDDYY, YYMMDD, E8601DA, WEEKDATE, ... (days since
//          1.1.1960), DATETIME, E8601DT, ... (seconds since then).
//   SPSS:  DATE, ADATE, EDATE, SDATE, JDATE, QYR, MOYR, WKYR, DATETIME,
//          YMDHMS (seconds since 14.10.1582).
// Widths and decimals after the name ("DATE11", "DDMMYY10.") and letter
// case do not matter.
std::optional<DateScale> DateScaleOfFormat(StatisticsPackage package, std::string_view format);

}  // namespace kalderon
