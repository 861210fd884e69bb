#include "stats/DateCheck.h"

#include <algorithm>

#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

// No span of 121 years is shorter than this, so a shorter one needs no
// calendar arithmetic.
constexpr double kShortest121Years = 121.0 * 365.0;

int CompletedYears(const DateValue& from, const DateValue& to)
{
    const CivilDate a = from.civil(), b = to.civil();
    const bool beforeBirthday = b.month < a.month || (b.month == a.month && b.day < a.day);
    return b.year - a.year - (beforeBirthday ? 1 : 0);
}

bool ByCaseNumber(const ImplausibleCase& a, const ImplausibleCase& b) { return a.caseNumber < b.caseNumber; }

std::string CaseLine(const ImplausibleCase& c)
{
    std::string parts;
    const auto add = [&parts](const std::string& part) { parts += (parts.empty() ? "" : ", ") + part; };
    if (c.what & kImplausibleBegin) add(FormatText(text::kImplausibleBegin, c.beginDate.displayText()));
    if (c.what & kImplausibleEnd) add(FormatText(text::kImplausibleEnd, c.endDate.displayText()));
    if (c.what & kImplausibleBirth) add(FormatText(text::kImplausibleBirth, c.birthDate.displayText()));
    if (c.what & kAgeBelowZero) add(text::kImplausibleAgeBelowZero);
    if (c.what & kAgeOver120) add(FormatText(text::kImplausibleAgeAtEnd, c.ageAtEnd));
    return FormatText(text::kImplausibleCase, c.caseNumber, parts);
}

}  // namespace

int CalendarYear(std::time_t when)
{
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) return 9999;
    return local.tm_year + 1900;
}

DateCheck CheckDates(const std::vector<CCaseRecord>& records, bool hasBirthColumn, std::time_t now, size_t listed)
{
    DateCheck check;
    check.presentYear = CalendarYear(now);
    check.caseCount = static_cast<std::int64_t>(records.size());
    const double earliest = DateValue::FromYmd(kEarliestPlausibleYear, 1, 1).serial();
    const DateValue afterPresent = DateValue::FromYmd(check.presentYear + 1, 1, 1);
    const double latest = afterPresent.isValid() ? afterPresent.serial() : 1e300;
    const auto implausible = [&](const DateValue& d) {
        return d.isValid() && (d.serial() < earliest || d.serial() >= latest);
    };
    for (const CCaseRecord& c : records) {
        std::uint8_t what = 0;
        if (implausible(c.beginDate)) what |= kImplausibleBegin;
        if (implausible(c.endDate)) what |= kImplausibleEnd;
        int ageAtEnd = 0;
        if (hasBirthColumn && c.birthDate.isValid()) {
            if (implausible(c.birthDate)) what |= kImplausibleBirth;
            if (c.beginDate.isValid() && c.birthDate.serial() > c.beginDate.serial()) what |= kAgeBelowZero;
            if (c.endDate.isValid() && c.endDate.serial() - c.birthDate.serial() >= kShortest121Years) {
                ageAtEnd = CompletedYears(c.birthDate, c.endDate);
                if (ageAtEnd > kOldestPlausibleAge) what |= kAgeOver120;
            }
        }
        if (what == 0) continue;
        ++check.implausibleCount;
        if (listed == 0) continue;
        // `first` is a heap whose top is the highest case number kept.
        if (check.first.size() == listed) {
            if (c.caseNumber >= check.first.front().caseNumber) continue;
            std::pop_heap(check.first.begin(), check.first.end(), ByCaseNumber);
            check.first.pop_back();
        }
        check.first.push_back({c.caseNumber, what, ageAtEnd, c.beginDate, c.endDate, c.birthDate});
        std::push_heap(check.first.begin(), check.first.end(), ByCaseNumber);
    }
    std::sort_heap(check.first.begin(), check.first.end(), ByCaseNumber);
    return check;
}

std::vector<std::string> DateCheckLines(const DateCheck& check)
{
    std::vector<std::string> lines;
    if (check.clean()) return lines;
    lines.push_back(FormatText(text::kImplausibleDates, kEarliestPlausibleYear, check.presentYear, kOldestPlausibleAge,
                               static_cast<long long>(check.implausibleCount), static_cast<long long>(check.caseCount)));
    for (const ImplausibleCase& c : check.first) lines.push_back(CaseLine(c));
    const auto more = check.implausibleCount - static_cast<std::int64_t>(check.first.size());
    if (more > 0) lines.push_back(FormatText(text::kImplausibleMore, static_cast<long long>(more)));
    return lines;
}

}  // namespace kalderon
