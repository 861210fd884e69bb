#include "stats/DateValue.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <locale.h>

#include "resources/StringTable.h"

namespace kalderon {
namespace {

// Days from 1 January 1970 in the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

// Days from 1 January 1970 to the civil date, in the proleptic Gregorian
// calendar.  Within some 250,000 years of 1970 the calendar is shifted by
// whole 400-year cycles so that unsigned 32-bit arithmetic does (Neri and
// Schneider's Euclidean affine form); further out eras are counted apart.
CivilDate CivilFromDays(long long z)
{
    constexpr long long kCycles = 700;  // 400-year cycles shifted ahead
    constexpr long long kShift = 719468 + 146097 * kCycles;
    if (z > -kShift && z < 90'000'000) {
        const auto n = static_cast<std::uint32_t>(z + kShift);
        const std::uint32_t n1 = 4 * n + 3;
        const std::uint32_t century = n1 / 146097;
        const std::uint32_t n2 = (n1 % 146097) | 3;
        const std::uint64_t p2 = std::uint64_t{2939745} * n2;
        const auto yearOfCentury = static_cast<std::uint32_t>(p2 >> 32);
        const std::uint32_t dayOfYear = static_cast<std::uint32_t>(p2) / 2939745 / 4;
        const std::uint32_t n3 = 2141 * dayOfYear + 197913;
        const bool janOrFeb = dayOfYear >= 306;
        const int year = static_cast<int>(100 * century + yearOfCentury) - static_cast<int>(400 * kCycles) + janOrFeb;
        const int month = static_cast<int>(n3 >> 16) - (janOrFeb ? 12 : 0);
        return CivilDate{year, month, static_cast<int>((n3 & 65535) / 2141) + 1};
    }
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

constexpr long long kEpochOffset = 25569;  // 30.12.1899 .. 01.01.1970

locale_t CLocale()
{
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
}

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

DateValue DateValue::FromYmd(int year, int month, int day)
{
    const unsigned yearAsWord = static_cast<unsigned short>(year);
    if (yearAsWord > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(yearAsWord, month))
        return Invalid();
    const long long days = DaysFromCivil(yearAsWord, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return FromSerial(static_cast<double>(days + kEpochOffset));
}

// The whole part of the day number is the day, also before day 0, where the
// time of day counts away from zero (-1.25 is 29.12.1899, 6 o'clock).
CivilDate DateValue::civil() const
{
    return CivilFromDays(static_cast<long long>(std::trunc(serial())) - kEpochOffset);
}

int DateValue::dayOfWeek() const
{
    // 30.12.1899 was a Saturday.
    const long long days = static_cast<long long>(std::trunc(serial()));
    return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

std::string DateValue::format(const char* pattern) const
{
    const CivilDate c = civil();
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_wday = dayOfWeek();
    char buffer[256];
    const size_t n = strftime_l(buffer, sizeof buffer, pattern, &tm, CLocale());
    return std::string(buffer, n);
}

std::string DateValue::displayText() const
{
    return isValid() ? format("%d.%m.%Y") : LoadString(318);
}

std::optional<int> SpanDays(const DateValue& from, const DateValue& to)
{
    if (!from.isValid() || !to.isValid()) return std::nullopt;
    return static_cast<int>(to.serial() - from.serial());
}

}  // namespace kalderon
