#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "stats/PopulationTable.h"

namespace kalderon::bench {

// 80 calendar years (1935-2014) of 100 ages each; mortality rises with age
// and falls slowly over the years, women at 0.8 times the men's values.
inline std::vector<CPopulationYearTable> SyntheticTables()
{
    std::vector<CPopulationYearTable> tables;
    for (int year = 1935; year < 2015; ++year) {
        CPopulationYearTable t{year, {}, {}};
        const double trend = std::pow(0.99, year - 1935);
        for (int age = 0; age < 100; ++age) {
            const double q = std::min((0.0005 + 0.0001 * std::pow(1.09, age)) * trend, 0.5);
            t.firstSex.push_back(q);
            t.secondSex.push_back(0.8 * q);
        }
        tables.push_back(std::move(t));
    }
    return tables;
}

}  // namespace kalderon::bench
