#pragma once

#include <string>
#include <vector>

#include "stats/ResultTables.h"

namespace kalderon::testing {

// Inserting one time point into a product-limit table exactly as written:
// appended when it sorts last, else placed before the first row with a
// larger time (or an equal one, for a death), searched from the front.
inline void LiteralInsertTimePoint(std::vector<CTimePointResult>& rows, const CTimePointResult& row,
                                   const std::string& eventCode)
{
    const bool censored = row.statusText != eventCode;
    if (rows.empty() || rows.back().survivalDays < row.survivalDays ||
        (rows.back().survivalDays == row.survivalDays && censored)) {
        rows.push_back(row);
        return;
    }
    auto it = rows.begin();
    while (!(it->survivalDays > row.survivalDays || (it->survivalDays == row.survivalDays && !censored))) ++it;
    rows.insert(it, row);
}

// The number at risk with delayed entry, counted row by row.
inline std::vector<int> LiteralAtRisk(const std::vector<CTimePointResult>& rows)
{
    std::vector<int> atRisk;
    for (size_t j = 0; j < rows.size(); ++j) {
        const int v = rows[j].survivalDays;
        int d = 1;
        for (size_t k = j + 1; k < rows.size(); ++k) {
            const int entry = rows[k].entryDays;
            if (entry < v) ++d;
        }
        atRisk.push_back(d);
    }
    return atRisk;
}

}  // namespace kalderon::testing
