#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalderon {

enum class DateStatus : std::uint8_t { Valid = 0, Invalid = 1, Null = 2 };

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A calendar day held as a day count since 30.12.1899 (a double, as the
// original date type held it) with a status.  Dates that are not valid carry
// the day count 0, so that two invalid (or two null) dates compare equal.
class DateValue {
public:
    DateValue() = default;  // null

    static DateValue Null() { return DateValue(); }
    static DateValue Invalid() { return DateValue(0.0, DateStatus::Invalid); }
    static DateValue FromSerial(double days) { return DateValue(days, DateStatus::Valid); }
    // Valid when the year, read as an unsigned 16-bit number, is at most
    // 9999, the month is 1..12 and the day lies inside that month.
    static DateValue FromYmd(int year, int month, int day);

    DateStatus status() const { return status_; }
    bool isValid() const { return status_ == DateStatus::Valid; }
    double serial() const { return serial_; }

    CivilDate civil() const;  // only meaningful for a valid date
    int year() const { return civil().year; }
    int dayOfWeek() const;  // 0 Sunday .. 6 Saturday

    // strftime-style formatting of a valid date in the C locale ("%d.%m.%Y").
    std::string format(const char* pattern) const;
    // "%d.%m.%Y" for a valid date, otherwise the string-table text "Invalid date".
    std::string displayText() const;

    // Same status and same day count.
    bool operator==(const DateValue& other) const = default;

private:
    DateValue(double serial, DateStatus status) : serial_(serial), status_(status) {}

    double serial_ = 0.0;
    DateStatus status_ = DateStatus::Null;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The span to - from in days, truncated toward zero; empty when either date
// is not valid.
std::optional<int> SpanDays(const DateValue& from, const DateValue& to);

}  // namespace kalderon
