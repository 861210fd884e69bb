#pragma once

#include <string>
#include <string_view>

#include "import/DatabaseEngine.h"

namespace kalderon {

// An Office Open XML workbook (.xlsx), read as WorkbookDatabase says.
// Numbers are 64-bit reals; numbers in a date or time format are dates
// (in the workbook's date system, 1900 or 1904); texts (shared, inline,
// rich) UTF-8 texts; booleans booleans; empty and error cells null.
DatabaseResult OpenXlsxDatabase(const std::string& path);

// Whether a number format shows a date or time: the built-in formats 14-22
// and 45-47, and formats with a day, month, year, hour or second outside
// quotes and brackets.
bool IsDateNumberFormat(int id, std::string_view code);

}  // namespace kalderon
