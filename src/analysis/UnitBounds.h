#pragma once

#include <cstdint>

#include "stats/DateValue.h"

namespace kalderon {

// The first and the last day of the time unit (year, month, week from
// Monday, day) that holds `date`.
DateValue StartOfUnit(const DateValue& date, std::int32_t unit);
DateValue EndOfUnit(const DateValue& date, std::int32_t unit);

}  // namespace kalderon
