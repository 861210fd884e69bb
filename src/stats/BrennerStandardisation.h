#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "stats/AgeStandardisation.h"
#include "stats/AnnualSurvivalGrid.h"
#include "stats/NetSurvival.h"

namespace kalderon {

// Brenner's weights of the cases of one analysed group: a case of ICSS age
// group k weighs W_k / (n_k / n), W_k the standard's weight, n_k the group's
// cases of age group k and n its cases of 15 and over.  Undefined (all zero)
// when an age group has no case.
struct BrennerWeights {
    IcssWeights byAgeGroup{};
    bool defined = false;
};
BrennerWeights BrennerWeightsOf(const std::array<std::int64_t, kIcssAgeGroups>& counts, const IcssWeights& standard);

// Brenner's weights of a group's cases (as the net survival estimator takes
// them), indexed like them, when every case is of 15 and over and the weights
// are defined; else none.
std::optional<std::vector<double>> BrennerCaseWeights(const std::vector<NetSurvivalCase>& cases,
                                                      std::int32_t standard);

// How the weighted estimates of a group are computed and shown.
struct BrennerSettings {
    std::int32_t standard = kIcss1;
    int intervals = 1;
    double unitDays = 365.25;
    bool lifeTableTechnique = true;  // else the product-limit estimate at the intervals' ends
    bool netSurvivalRaw = false;     // show net survival also where it cannot be trusted
};

// The standardised table of one group's cases (as the net survival estimator
// takes them, cohort or period) with Brenner's weights: per interval the
// weighted observed survival, Ederer II relative survival (weighted observed
// over weighted expected survival at the interval's end) and Pohar-Perme net
// survival (the case weights times the inverse expected survival).  Without
// weights (an age group without cases) every estimate is missing.  `walked`:
// the weighted net and expected survival already computed for these cases
// and weights (ComputeNetSurvivalWithWeighted), else the walk is made here.
StandardisedGroup BrennerStandardisedGroup(std::vector<NetSurvivalCase> cases, const AnnualSurvivalGrid& grid,
                                           const BrennerSettings& settings,
                                           const WeightedNetSurvival* walked = nullptr);

}  // namespace kalderon
