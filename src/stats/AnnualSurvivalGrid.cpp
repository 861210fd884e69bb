#include "stats/AnnualSurvivalGrid.h"

#include <algorithm>

#include "stats/PopulationLookup.h"

namespace kalderon {

AnnualSurvivalGrid::AnnualSurvivalGrid(const std::vector<CPopulationYearTable>& tables)
{
    if (tables.empty()) {
        survival_.assign(2, 0.0);
        return;
    }
    firstYear_ = tables.front().year;
    years_ = std::max(1, tables.back().year - firstYear_ + 1);
    for (const CPopulationYearTable& t : tables)
        ages_ = std::max({ages_, static_cast<int>(t.firstSex.size()), static_cast<int>(t.secondSex.size())});
    survival_.resize(static_cast<size_t>(2) * years_ * ages_);

    const PopulationLookup lookup(tables, std::string());
    for (int sex = 0; sex < 2; ++sex)
        for (int y = 0; y < years_; ++y)
            for (int a = 0; a < ages_; ++a)
                survival_[(static_cast<size_t>(sex) * years_ + y) * ages_ + a] =
                    1.0 - lookup.SexValue(firstYear_ + y, a, sex);
}

}  // namespace kalderon
