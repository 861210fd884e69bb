#pragma once

#include <bit>
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
// The status lives in the one double: a date that is not valid holds a NaN
// whose payload tells invalid from null, so a date takes 8 bytes.
class DateValue {
public:
    DateValue() = default;  // null

    static DateValue Null() { return DateValue(); }
    static DateValue Invalid() { return DateValue(kInvalidBits); }
    // A serial that is not a number gives an invalid date.
    static DateValue FromSerial(double days) { return days == days ? DateValue(days) : Invalid(); }
    // Valid when the year, read as an unsigned 16-bit number, is at most
    // 9999, the month is 1..12 and the day lies inside that month.
    static DateValue FromYmd(int year, int month, int day);

    DateStatus status() const
    {
        if (isValid()) return DateStatus::Valid;
        return std::bit_cast<std::uint64_t>(serial_) == kInvalidBits ? DateStatus::Invalid : DateStatus::Null;
    }
    bool isValid() const { return serial_ == serial_; }
    double serial() const { return isValid() ? serial_ : 0.0; }

    CivilDate civil() const;  // only meaningful for a valid date
    int year() const { return civil().year; }
    int dayOfWeek() const;  // 0 Sunday .. 6 Saturday

    // strftime-style formatting of a valid date in the C locale ("%d.%m.%Y").
    std::string format(const char* pattern) const;
    // "%d.%m.%Y" for a valid date, otherwise the string-table text "Invalid date".
    std::string displayText() const;

    // Same status and same day count.
    bool operator==(const DateValue& other) const
    {
        if (isValid() || other.isValid()) return serial_ == other.serial_;
        return std::bit_cast<std::uint64_t>(serial_) == std::bit_cast<std::uint64_t>(other.serial_);
    }

private:
    static constexpr std::uint64_t kInvalidBits = 0x7FF8000000000001ull;
    static constexpr std::uint64_t kNullBits = 0x7FF8000000000002ull;

    explicit DateValue(double serial) : serial_(serial) {}
    explicit DateValue(std::uint64_t bits) : serial_(std::bit_cast<double>(bits)) {}

    double serial_ = std::bit_cast<double>(kNullBits);
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The span to - from in days, truncated toward zero; empty when either date
// is not valid.
std::optional<int> SpanDays(const DateValue& from, const DateValue& to);

}  // namespace kalderon
