#pragma once

#include <cmath>

#include "stats/AnalysisData.h"
#include "stats/SurvivalRow.h"

namespace kalderon {

// Walks the death rows of one product-limit table in order, carrying the
// cumulative survival and the Greenwood sum.  A death with one case at risk
// drives the survival to 0 and has no standard error.
class ProductLimitWalk {
public:
    explicit ProductLimitWalk(double z) : z_(z) {}

    void Death(CTimePointResult& row, double atRisk, double proportionSurviving)
    {
        row.atRisk = atRisk;
        row.proportionSurviving = proportionSurviving;
        survival_ *= proportionSurviving;
        double standardError = 0.0;
        if (atRisk > 1) greenwood_ += 1.0 / (atRisk * (atRisk - 1.0));
        // Once the survival has reached 0 (a death with one case at risk),
        // later deaths of cases that entered after it have no standard error.
        const bool hasStandardError = atRisk > 1 && survival_ > 0.0;
        if (hasStandardError) standardError = std::sqrt(greenwood_) * survival_;
        StoreObservedSurvival(row, survival_, standardError, hasStandardError, z_);
    }

private:
    double z_;
    double survival_ = 1.0;
    double greenwood_ = 0.0;
};

}  // namespace kalderon
