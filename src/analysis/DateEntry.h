#pragma once

#include <string_view>

#include "stats/DateValue.h"

namespace kalderon {

// A date typed as the program shows dates, "DD.MM.YYYY": day and month of
// one or two digits, a year of four, blanks around the whole allowed.  Not
// valid when the text is not such a date or the day is not in the calendar.
DateValue ParseEnteredDate(std::string_view text);

}  // namespace kalderon
