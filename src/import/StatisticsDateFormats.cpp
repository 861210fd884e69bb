#include "import/StatisticsDateFormats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace kalderon {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kDay1960 = 21916.0;      // 1.1.1960
constexpr double kDay1582 = -115859.0;   // 14.10.1582

// The format's name: upper case, without the width and decimals that follow it.
std::string FormatName(std::string_view format)
{
    std::string name(format);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!name.empty() && (std::isdigit(static_cast<unsigned char>(name.back())) || name.back() == '.'))
        name.pop_back();
    return name;
}

template <size_t N>
bool Among(const std::string& name, const std::array<std::string_view, N>& names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A name, or the name with one of the separator letters SAS appends.
template <size_t N>
bool AmongWithSeparator(const std::string& name, const std::array<std::string_view, N>& names)
{
    if (Among(name, names)) return true;
    const std::string_view separators = "BCDNPS";
    return name.size() > 1 && separators.find(name.back()) != std::string_view::npos &&
           Among(name.substr(0, name.size() - 1), names);
}

std::optional<DateScale> StataScale(std::string_view format)
{
    if (format.empty() || format.front() != '%') return std::nullopt;
    format.remove_prefix(1);
    if (!format.empty() && format.front() == '-') format.remove_prefix(1);
    if (format.starts_with("td")) return DateScale{1.0, kDay1960};
    if (format.starts_with("tc") || format.starts_with("tC")) return DateScale{1000.0 * kSecondsPerDay, kDay1960};
    // Before the %t formats, %d followed by letters was the date format.
    if (format.starts_with("d") && (format.size() == 1 || !std::isdigit(static_cast<unsigned char>(format[1]))))
        return DateScale{1.0, kDay1960};
    return std::nullopt;
}

std::optional<DateScale> SasScale(const std::string& name)
{
    static constexpr std::array<std::string_view, 7> kSeparated = {"DDMMYY", "MMDDYY", "YYMMDD", "MMYY",
                                                                  "YYMM",   "YYQ",    "YYQR"};
    static constexpr std::array<std::string_view, 27> kDays = {
        "DATE",     "DAY",      "DOWNAME",  "E8601DA",  "B8601DA",  "IS8601DA", "EURDFDD", "EURDFDE", "EURDFMY",
        "EURDFWDX", "EURDFWKX", "JULDAY",   "JULIAN",   "MINGUO",   "MONNAME",  "MONTH",   "MONYY",   "NENGO",
        "NLDATE",   "QTR",      "WEEKDATE", "WEEKDATX", "WEEKDAY",  "WORDDATE", "WORDDATX", "YEAR",   "YYMON"};
    static constexpr std::array<std::string_view, 17> kSeconds = {
        "DATETIME", "DATEAMPM", "DTDATE",  "DTMONYY",  "DTWKDATX", "DTYEAR",  "DTYYQC",  "E8601DT", "B8601DT",
        "IS8601DT", "E8601DN",  "B8601DN", "E8601DZ",  "B8601DZ",  "MDYAMPM", "NLDATM",  "TWMDY"};
    if (AmongWithSeparator(name, kSeparated) || Among(name, kDays)) return DateScale{1.0, kDay1960};
    if (Among(name, kSeconds)) return DateScale{kSecondsPerDay, kDay1960};
    return std::nullopt;
}

std::optional<DateScale> SpssScale(const std::string& name)
{
    static constexpr std::array<std::string_view, 10> kDates = {"DATE", "ADATE", "EDATE", "SDATE", "JDATE",
                                                               "QYR",  "MOYR",  "WKYR",  "DATETIME", "YMDHMS"};
    if (Among(name, kDates)) return DateScale{kSecondsPerDay, kDay1582};
    return std::nullopt;
}

}  // namespace

std::optional<DateScale> DateScaleOfFormat(StatisticsPackage package, std::string_view format)
{
    switch (package) {
    case StatisticsPackage::kStata: return StataScale(format);
    case StatisticsPackage::kSas: return SasScale(FormatName(format));
    case StatisticsPackage::kSpss: return SpssScale(FormatName(format));
    }
    return std::nullopt;
}

}  // namespace kalderon
