#pragma once

#include <cstdint>
#include <vector>

#include "stats/CoxSample.h"

namespace kalderon {

// Harrell's concordance of a Cox model's linear predictor with the observed
// times: of the pairs of a case with the event and a case in the same
// stratum still at risk after it (a later time, or censored at the same
// time), those where the case with the event had the higher risk
// (concordant), the lower (discordant) or the same (tied); pairs of events
// at the same time count apart.  concordance = (C + T/2) / (C + D + T); its
// standard error is the infinitesimal jackknife's, from each case's share
// of the pairs.
struct CoxConcordance {
    double concordant = 0.0, discordant = 0.0, tiedRisk = 0.0, tiedTime = 0.0, tiedBoth = 0.0;
    double concordance = 0.0;
    double standardError = 0.0;
};

// linearPredictor per case of the sample, in its order.  O(n log n).
CoxConcordance ConcordanceOf(const CoxSample& sample, const std::vector<double>& linearPredictor);

}  // namespace kalderon
