#pragma once

#include <ctime>
#include <string>

namespace kalderon {

// The moment a report is created: SOURCE_DATE_EPOCH when it is set to a
// number, else the current time.
std::time_t ReportTime();

// "%A %d. %B %Y %X" of the local time in the C locale.
std::string FormatReportTimeStamp(std::time_t when);

}  // namespace kalderon
