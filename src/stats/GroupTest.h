#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/PooledTimes.h"

namespace kalderon {

// One group of a test between groups: its valid cases and its observed and
// expected events, both weighted as the test weights the event times.
struct GroupTestRow {
    std::string code;
    std::int32_t cases = 0;
    double observed = 0.0;
    double expected = 0.0;
};

// A test of equal survival in k groups of the Fleming-Harrington family:
// at every event time the weight is S(t-)^rho, S the product-limit estimate
// of all cases pooled, taken just before t.  rho 0 is the log-rank
// (Mantel-Haenszel) test, rho 1 the Peto-Peto test.
struct GroupTest {
    double rho = 0.0;
    std::vector<GroupTestRow> groups;
    std::vector<double> variance;  // of observed - expected, groups x groups, row-major
    double chiSquare = 0.0;
    // Rank of the variance of the groups with expected events, less the one
    // group left out; 0 when fewer than two groups have expected events, and
    // then there is no p-value.
    int degreesOfFreedom = 0;
    double pValue = 0.0;
    bool hasPValue() const { return degreesOfFreedom > 0; }
};

// The test on the pooled times; codes name the groups in order.
GroupTest ComputeGroupTest(const PooledTimes& times, const std::vector<std::string>& codes, double rho);

}  // namespace kalderon
