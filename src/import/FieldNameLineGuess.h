#pragma once

#include <string_view>
#include <vector>

namespace kalderon {

// Whether the first of these lines (the first non-empty lines of a file)
// names the fields rather than holding a case: the file has date fields,
// fields that read as dates with a four-digit year by one of the offered
// patterns or YYYY-MM-DD in most of the lines after the first, and none of
// them reads as a date on the first line.  Fields are cut at the separator, quotes respected.
bool FirstLineNamesFields(const std::vector<std::string_view>& lines, char separator);

}  // namespace kalderon
