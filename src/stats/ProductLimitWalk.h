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
        if (atRisk > 1) {
            greenwood_ += 1.0 / (atRisk * (atRisk - 1.0));
            standardError = std::sqrt(greenwood_) * survival_;
        }
        StoreObservedSurvival(row, survival_, standardError, atRisk > 1, z_);
    }

private:
    double z_;
    double survival_ = 1.0;
    double greenwood_ = 0.0;
};

}  // namespace kalderon
