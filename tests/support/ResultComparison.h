#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "stats/ResultTables.h"

namespace kalderon::testing {

// Two computations of the same interval rows agree to the last bit.
inline void ExpectSameIntervalRows(const std::vector<CIntervalResult>& a, const std::vector<CIntervalResult>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        const CIntervalResult& x = a[i];
        const CIntervalResult& y = b[i];
        EXPECT_EQ(x.intervalNumber, y.intervalNumber);
        EXPECT_EQ(x.exposedToRisk, y.exposedToRisk);
        EXPECT_EQ(x.intervalSurvival, y.intervalSurvival);
        EXPECT_EQ(x.cumulativeSurvival, y.cumulativeSurvival);
        EXPECT_EQ(x.standardError, y.standardError);
        EXPECT_EQ(x.lowerLimit, y.lowerLimit);
        EXPECT_EQ(x.upperLimit, y.upperLimit);
        EXPECT_EQ(x.hasStandardError, y.hasStandardError);
    }
}

}  // namespace kalderon::testing
