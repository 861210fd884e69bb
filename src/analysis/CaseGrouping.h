#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/CaseField.h"
#include "stats/Refusal.h"

namespace kalderon {

// What cases are grouped by: the value of a field, the age at the
// beginning of follow-up in bands, or the calendar period of that
// beginning.  Bands start at their cut points: cuts 15, 45 give "0-14",
// "15-44" and "45+"; periods start at their cut years: 1990, 1995 give
// "1990-1994" and "1995+", and years before the first "<1990".
struct GroupKey {
    // kFileGroups: the groups of the file's group column.
    enum class Kind : std::uint8_t { kField, kAgeBands, kBeginYearBands, kFileGroups };

    Kind kind = Kind::kField;
    CaseField field;        // kField
    std::vector<int> cuts;  // the bands, ascending

    // "stage", "age groups 15,45,55,65,75", "begin-year groups 1990,1995";
    // nothing for the file's groups.
    std::string Text() const;
};

// One key, or two crossed (group texts joined as "I / 1"); no key groups
// the cases as the file does.
struct CaseGrouping {
    std::vector<GroupKey> keys;

    bool regroups() const { return !keys.empty(); }
};

inline constexpr std::array<int, 5> kIcssAgeCuts = {15, 45, 55, 65, 75};
inline constexpr const char* kCrossedGroupSeparator = " / ";
inline constexpr size_t kMostGroupKeys = 2;

// A grouping key as kalderon-batch's --group-by writes it: a field (as
// FindCaseField finds it), "age-groups=CUTS" (ReadAgeCuts),
// "begin-year-groups=CUTS" (ReadYearCuts) or "file-groups".
inline constexpr const char* kAgeGroupsKeyword = "age-groups";
inline constexpr const char* kBeginYearGroupsKeyword = "begin-year-groups";
inline constexpr const char* kFileGroupsKeyword = "file-groups";
Refusal ReadGroupKey(const DataColumns& columns, bool hasBirthColumn, std::string_view text, GroupKey& key);

// Cut points as ReadAgeCuts and ReadYearCuts read them: "15,45,55".
std::string CutsText(const std::vector<int>& cuts);

// Reads "icss" or cut points "C1,C2,..." (whole numbers, ascending; for
// ages 0 or more); refused otherwise.
Refusal ReadAgeCuts(std::string_view text, std::vector<int>& cuts);
Refusal ReadYearCuts(std::string_view text, std::vector<int>& cuts);

// Per value of `values`, its place in their order: numbers in numeric
// order when every value that is not empty is one, else byte-wise; the
// empty value first.
std::vector<std::int32_t> RankOfValues(const std::vector<std::string>& values);

// The band of a value: -1 below the first cut, else the index of the last
// cut at or below it; and the band's text.
int BandOf(const std::vector<int>& cuts, int value);
std::string BandText(const GroupKey& key, int band);

}  // namespace kalderon
