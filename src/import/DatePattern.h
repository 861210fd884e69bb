#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "stats/DateValue.h"

namespace kalderon {

// A date pattern such as "DD.MM.YYYY": where the day, month and year pieces
// stand in a date text.  Only the first "DD", "MM" and "YYYY" (case-sensitive)
// count; the characters between the pieces are never looked at.
class DatePattern {
public:
    explicit DatePattern(std::string_view pattern);

    // Day 15 when the pattern has no "DD"; a piece outside the text reads 0;
    // each piece is read like C atoi.  The result may be invalid.
    DateValue Read(std::string_view text) const;

private:
    std::size_t day_;
    std::size_t month_;
    std::size_t year_;
};

DateValue ParseDatePattern(std::string_view text, std::string_view pattern);

// The patterns the text import offers to choose from, in this order.
inline constexpr std::array<const char*, 5> kOfferedDatePatterns = {"DD.MM.YYYY", "DDMMYYYY", "DD/MM/YYYY",
                                                                   "MMDDYYYY", "YYYYMMDD"};

// A pattern must hold "MM" and "YYYY" to be offered for reading.
bool IsUsableDatePattern(std::string_view pattern);

}  // namespace kalderon
