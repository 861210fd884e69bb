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

// A group's cases of 15 and over (as the net survival estimator takes
// them) with Brenner's weights as their own, those under 15 left out and
// counted, and their ICSS age groups as the classes of the weights.  Without
// weights (an age group without cases) the cases keep their own.
struct BrennerCases {
    std::vector<NetSurvivalCase> cases;
    WeightClasses ageGroups;  // each case's age group, and the weight of each
    std::int64_t underAge = 0;
    bool defined = false;
};
BrennerCases BrennerCasesOf(std::vector<NetSurvivalCase> cases, std::int32_t standard);

// A group's Brenner cases and, when they were walked together with the net
// survival of all the group's cases, their weighted net and expected
// survival.
struct BrennerWalk {
    BrennerCases cases;
    std::optional<WeightedNetSurvival> walked;
};

// The net survival of all of a group's cases without weights, and into
// `brenner` the group's Brenner cases: in the same walk their weighted net
// survival when no case is under 15 and the weights are defined.
NetSurvivalCurve NetSurvivalWithBrennerCases(std::vector<NetSurvivalCase> cases, const AnnualSurvivalGrid& grid,
                                             std::int32_t standard, BrennerWalk& brenner);

// How the weighted estimates of a group are computed and shown.
struct BrennerSettings {
    std::int32_t standard = kIcss1;
    int intervals = 1;
    double unitDays = 365.25;
    bool lifeTableTechnique = true;  // else the product-limit estimate at the intervals' ends
    bool netSurvivalRaw = false;     // show net survival also where it cannot be trusted
};

// The standardised table of a group's Brenner cases (cohort or period):
// per interval the weighted observed survival, Ederer II relative survival
// (weighted observed over weighted expected survival at the interval's end)
// and Pohar-Perme net survival (the case weights times the inverse expected
// survival).  Without weights (an age group without cases) every estimate
// is missing.  `walked`: their weighted net and expected survival already
// computed, else the walk is made here.
StandardisedGroup BrennerStandardisedGroup(const BrennerCases& cases, const AnnualSurvivalGrid& grid,
                                           const BrennerSettings& settings,
                                           const WeightedNetSurvival* walked = nullptr);

}  // namespace kalderon
