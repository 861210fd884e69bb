#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "import/FieldValue.h"
#include "stats/DateValue.h"

namespace kalderon {

// The text of a field value: empty for empty and null, numbers in the C
// formats "%hd", "%d", "%g" and, for a 64-bit real, "%d" when it holds a
// whole 32-bit number and "%e" otherwise; dates as "%d.%m.%Y"; booleans as
// "TRUE"/"FALSE"; texts unchanged; other types by their type name.
// Currency is written in the C locale with up to four decimals and no
// trailing zeros ("1234.5", "-0.0001").
std::string VariantToText(const FieldValue& value);

// Whole number of integers, reals (truncated toward zero) and texts that
// IsIntegerText accepts.  A real or text whose value does not fit 32 bits
// fails, as does every other type, null and empty included.
bool VariantToInt(const FieldValue& value, std::int32_t& result);

// Integer and real values only.
bool VariantToDouble(const FieldValue& value, double& result);

// A date value unchanged, or a text read by ParseDateText; every other type
// fails.  On failure `result` is set invalid.
bool VariantToDate(const FieldValue& value, DateValue& result);

// Optional sign and decimal digits only, once white space at both ends is
// removed; the empty text passes.
bool IsIntegerText(std::string_view text);

// Reads a date text as a user would type it.  Leading and trailing white
// space is ignored; the accepted forms are
//   D.M.YYYY  D.M.YY     (day first, dots)
//   M/D/YYYY  M/D/YY     (month first, slashes)
//   YYYY-M-D             (year first, dashes)
// with one or two digits for day and month, optionally followed by a blank
// and a time of day H:MM or H:MM:SS, which becomes the day fraction.  Two-digit
// years 00..29 are 2000..2029 and 30..99 are 1930..1999.  Anything else, and
// any day that does not exist, gives an invalid date.
DateValue ParseDateText(std::string_view text);

}  // namespace kalderon
