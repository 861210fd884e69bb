#include "results/ReportClock.h"

#include <cerrno>
#include <cstdlib>
#include <locale.h>

namespace kalderon {
namespace {

// SOURCE_DATE_EPOCH as a whole number of seconds, or nothing when it is
// unset or not a plain decimal number.
bool SourceDateEpoch(std::time_t& when)
{
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (text == nullptr || *text < '0' || *text > '9') return false;
    char* end = nullptr;
    errno = 0;
    const long long seconds = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0') return false;
    when = static_cast<std::time_t>(seconds);
    return true;
}

}  // namespace

std::time_t ReportTime()
{
    std::time_t when = 0;
    if (SourceDateEpoch(when)) return when;
    return std::time(nullptr);
}

std::string FormatReportTimeStamp(std::time_t when)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) return std::string();
    char buffer[128];
    const size_t length = strftime_l(buffer, sizeof buffer, "%A %d. %B %Y %X", &local, cLocale);
    return std::string(buffer, length);
}

}  // namespace kalderon
