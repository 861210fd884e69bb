#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "stats/CaseRecord.h"

namespace kalderon {

// Dates that are calendar days but hardly those of a patient's follow-up:
// a begin, end or birth date before 1850 or after the present year, a birth
// after the begin of follow-up (age below 0) or an age of more than 120
// completed years at the end of follow-up.  The check only lists them: the
// cases stay valid or not as they were.
inline constexpr int kEarliestPlausibleYear = 1850;
inline constexpr int kOldestPlausibleAge = 120;

// What is implausible about a case, as bits.
enum ImplausibleDate : std::uint8_t {
    kImplausibleBegin = 1u << 0,
    kImplausibleEnd = 1u << 1,
    kImplausibleBirth = 1u << 2,
    kAgeBelowZero = 1u << 3,
    kAgeOver120 = 1u << 4,
};

struct ImplausibleCase {
    std::int32_t caseNumber = 0;
    std::uint8_t what = 0;  // ImplausibleDate bits
    int ageAtEnd = 0;       // completed years, with kAgeOver120
    DateValue beginDate;
    DateValue endDate;
    DateValue birthDate;
};

struct DateCheck {
    int presentYear = 0;
    std::int64_t caseCount = 0;         // cases looked at
    std::int64_t implausibleCount = 0;  // cases with at least one implausible date
    std::vector<ImplausibleCase> first;  // those of the lowest case numbers, ascending

    bool clean() const { return implausibleCount == 0; }
};

// The calendar year of a moment in local time.
int CalendarYear(std::time_t when);

// Looks at every case once; `now` gives the present year (the report clock,
// so that a fixed SOURCE_DATE_EPOCH fixes the check too).  Birth dates count
// only with `hasBirthColumn`.  At most `listed` cases are kept in `first`.
DateCheck CheckDates(const std::vector<CCaseRecord>& records, bool hasBirthColumn, std::time_t now,
                     size_t listed = 5);

// The check as lines of text: what was found, one line per listed case, and
// how many more there are; no line for a clean check.
std::vector<std::string> DateCheckLines(const DateCheck& check);

}  // namespace kalderon
