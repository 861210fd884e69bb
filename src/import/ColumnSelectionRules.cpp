#include "import/ColumnSelectionRules.h"

#include <initializer_list>

#include "resources/StringTable.h"

namespace kalderon {
namespace {

constexpr int kMessageUsedTwice = 301;
constexpr int kMessageSelectColumn = 302;

bool AnyOf(int value, std::initializer_list<int> others)
{
    for (int other : others)
        if (value == other) return true;
    return false;
}

ColumnSelectionRefusal Fail(int message, int control) { return {message, control}; }

std::optional<ColumnSelectionRefusal> CheckComplete(const ColumnSelection& s)
{
    if (s.begin == 0) return Fail(kMessageSelectColumn, kComboBegin);
    if (s.end == 0) return Fail(kMessageSelectColumn, kComboEnd);
    if (s.status == 0) return Fail(kMessageSelectColumn, kComboStatus);
    if (s.begin == s.end) return Fail(kMessageUsedTwice, kComboEnd);
    if (AnyOf(s.status, {s.begin, s.end})) return Fail(kMessageUsedTwice, kComboStatus);
    if (AnyOf(s.group, {s.begin, s.end, s.status})) return Fail(kMessageUsedTwice, kComboGroup);
    if (AnyOf(s.sex, {s.begin, s.end, s.status})) return Fail(kMessageUsedTwice, kComboSex);
    if (s.birth != 0 && AnyOf(s.birth, {s.begin, s.end, s.status, s.group, s.sex}))
        return Fail(kMessageUsedTwice, kComboBirth);
    return {};
}

std::optional<ColumnSelectionRefusal> CheckSeparate(const ColumnSelection& s)
{
    const std::pair<int, int> required[] = {
        {s.beginDay, kComboBeginDay}, {s.beginMonth, kComboBeginMonth}, {s.beginYear, kComboBeginYear},
        {s.endDay, kComboEndDay},     {s.endMonth, kComboEndMonth},     {s.endYear, kComboEndYear},
        {s.status, kComboStatus},
    };
    for (const auto& [index, control] : required)
        if (index == 0) return Fail(kMessageSelectColumn, control);

    // Day lists carry "< Ignore >" as entry 1: lowered by one, a day index
    // compares with the other lists' indexes, and "< Ignore >" becomes 0.
    const int bd = s.beginDay - 1, bm = s.beginMonth, by = s.beginYear;
    const int ed = s.endDay - 1, em = s.endMonth, ey = s.endYear;
    const int st = s.status, g = s.group, sx = s.sex;
    const int brd = s.birthDay - 1, brm = s.birthMonth, bry = s.birthYear;

    if (bm == bd) return Fail(kMessageUsedTwice, kComboBeginMonth);
    if (AnyOf(by, {bd, bm})) return Fail(kMessageUsedTwice, kComboBeginYear);
    if ((ed != 0 && ed == bd) || AnyOf(ed, {bm, by})) return Fail(kMessageUsedTwice, kComboEndDay);
    if (AnyOf(em, {bd, bm, by, ed})) return Fail(kMessageUsedTwice, kComboEndMonth);
    if (AnyOf(ey, {bd, bm, by, ed, em})) return Fail(kMessageUsedTwice, kComboEndYear);
    if (AnyOf(st, {bd, bm, by, ed, em, ey})) return Fail(kMessageUsedTwice, kComboStatus);
    if (g != 0 && AnyOf(g, {bd, bm, by, ed, em, ey, st})) return Fail(kMessageUsedTwice, kComboGroup);
    if (sx != 0 && AnyOf(sx, {bd, bm, by, ed, em, ey, st})) return Fail(kMessageUsedTwice, kComboSex);
    if (brd != 0 && AnyOf(brd, {bd, bm, by, ed, em, ey, st, g, sx})) return Fail(kMessageUsedTwice, kComboBirthDay);
    if (brm != 0 && AnyOf(brm, {bd, bm, by, ed, em, ey, st, g, sx, brd}))
        return Fail(kMessageUsedTwice, kComboBirthMonth);
    if (bry != 0 && AnyOf(bry, {bd, bm, by, ed, em, ey, st, g, sx, brd, brm}))
        return Fail(kMessageUsedTwice, kComboBirthYear);
    return {};
}

}  // namespace

std::optional<ColumnSelectionRefusal> CheckColumnSelection(const ColumnSelection& selection)
{
    return selection.dateInSeparateColumns ? CheckSeparate(selection) : CheckComplete(selection);
}

CColumnAssignment ToColumnAssignment(const ColumnSelection& s)
{
    using R = CColumnAssignment::Role;
    CColumnAssignment a;
    a[R::kBegin] = s.begin - 1;
    a[R::kEnd] = s.end - 1;
    a[R::kStatus] = s.status - 1;
    a[R::kGroup] = s.group - 1;
    a[R::kSex] = s.sex - 1;
    a[R::kBirth] = s.birth - 1;
    a[R::kBeginDay] = s.beginDay - 2;
    a[R::kBeginMonth] = s.beginMonth - 1;
    a[R::kBeginYear] = s.beginYear - 1;
    a[R::kEndDay] = s.endDay - 2;
    a[R::kEndMonth] = s.endMonth - 1;
    a[R::kEndYear] = s.endYear - 1;
    a[R::kBirthDay] = s.birthDay - 2;
    a[R::kBirthMonth] = s.birthMonth - 1;
    a[R::kBirthYear] = s.birthYear - 1;
    a.dateInSeparateColumns = s.dateInSeparateColumns;
    return a;
}

std::vector<std::string> ColumnComboEntries(const std::vector<std::string>& columnTexts, ColumnComboKind kind)
{
    std::vector<std::string> entries = columnTexts;
    if (entries.empty()) entries.push_back(LoadString(300));
    switch (kind) {
    case ColumnComboKind::Field: break;
    case ColumnComboKind::Day: entries.insert(entries.begin() + 1, LoadString(305)); break;
    case ColumnComboKind::Group: entries[0] = LoadString(306); break;
    case ColumnComboKind::Sex: entries[0] = LoadString(307); break;
    case ColumnComboKind::Birth: entries[0] = LoadString(308); break;
    }
    return entries;
}

}  // namespace kalderon
