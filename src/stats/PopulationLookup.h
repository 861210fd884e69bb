#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "stats/CaseRecord.h"
#include "stats/PopulationTable.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// Looks up general-population values: the table of the nearest tabulated
// year (ties go to the later one, years outside the range take the first or
// last table), the sex array by the first-sex code, the age capped at the
// last row.  The year choice is cached per calendar year.
class PopulationLookup {
public:
    PopulationLookup(const std::vector<CPopulationYearTable>& tables, std::string sexCodeFirst);

    const CPopulationYearTable& TableFor(int year) const;
    // The table value at row `index` (capped at the last row); 0 without tables.
    double Value(int year, int index, std::string_view sexText) const
    {
        return SexValue(year, index, sexText == sexCodeFirst_ ? 0 : 1);
    }
    // The same for the first (0) or the second (1) sex.
    double SexValue(int year, int index, int sex) const;

private:
    const std::vector<CPopulationYearTable>& tables_;
    std::string sexCodeFirst_;
    int firstCachedYear_ = 0;
    std::vector<int> tableOfYear_;  // per year from firstCachedYear_
};

// Completed years of age at `at` for someone born on `birth`.
int CompletedAge(const CivilDate& birth, const CivilDate& at);
inline int CompletedAge(const DateValue& birth, const DateValue& at) { return CompletedAge(birth.civil(), at.civil()); }

// Whole years of a time in days (days / 365.25, truncated).
inline int CompleteYears(double days) { return static_cast<int>(days * kDaysToYears); }

}  // namespace kalderon
