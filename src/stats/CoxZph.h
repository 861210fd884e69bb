#pragma once

#include <string>
#include <vector>

#include "stats/CoxFit.h"
#include "stats/CoxSample.h"

namespace kalderon {

// One row of the check of proportional hazards: the score test for adding
// the term's columns times g(t) to the fitted model, g the Kaplan-Meier
// transform of time (1 - S(t-) of all cases together, centred on its mean
// over the events).
struct CoxZphRow {
    std::string name;  // the term's, or empty for the global test
    double chiSquare = 0.0;
    int df = 0;
    double p = 0.0;
};

// A row per term with an estimated column, then the global test of all.
std::vector<CoxZphRow> ProportionalHazardsTests(const CoxSample& sample, const CoxFitResult& fit, CoxTies ties);

}  // namespace kalderon
