#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "stats/PopulationTable.h"

namespace kalderon {

// The annual expected survival 1 - q of the population tables for every
// tabulated calendar year, both sexes and every age up to the longest row,
// laid out densely: the table choice of PopulationLookup (nearest year,
// ages capped at the last row) is made once here instead of at every look-up.
// Without tables every survival is 0; a sex without values survives with 1.
class AnnualSurvivalGrid {
public:
    explicit AnnualSurvivalGrid(const std::vector<CPopulationYearTable>& tables);

    // 0 for the first sex, 1 for the second.
    static int SexIndex(std::string_view sexText, std::string_view sexCodeFirst)
    {
        return sexText == sexCodeFirst ? 0 : 1;
    }

    double operator()(int sex, int year, int age) const { return survival_[CellIndex(sex, year, age)]; }

    // The cell a sex, calendar year and age fall into; years and ages beyond
    // the tables fall into the cells at their edges.
    size_t CellIndex(int sex, int year, int age) const
    {
        const int y = year < firstYear_ ? 0 : (year - firstYear_ < years_ ? year - firstYear_ : years_ - 1);
        const int a = age < 0 ? 0 : (age < ages_ ? age : ages_ - 1);
        return (static_cast<size_t>(sex) * years_ + y) * ages_ + a;
    }
    size_t CellCount() const { return survival_.size(); }
    double CellSurvival(size_t cell) const { return survival_[cell]; }

private:
    int firstYear_ = 0;
    int years_ = 1;
    int ages_ = 1;
    std::vector<double> survival_;
};

}  // namespace kalderon
