#pragma once

#include <cstdint>
#include <vector>

namespace kalderon {

// One calendar year of a general-population life table or reference rate
// table: one value per age (ascending) for each sex.
struct CPopulationYearTable {
    std::int32_t year = 0;
    std::vector<double> firstSex;
    std::vector<double> secondSex;
};

}  // namespace kalderon
