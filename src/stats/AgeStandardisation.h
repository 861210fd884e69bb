#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kalderon {

// Age standardisation with the weights of the International Cancer Survival
// Standards 1, 2 and 3 over the age groups 15-44, 45-54, 55-64, 65-74 and
// 75 and over (age at the begin of follow-up in completed years).
enum IcssStandard : std::int32_t { kNoStandardisation = 0, kIcss1 = 1, kIcss2 = 2, kIcss3 = 3 };

inline constexpr int kIcssAgeGroups = 5;
using IcssWeights = std::array<double, kIcssAgeGroups>;

// The weights of standard 1, 2 or 3; all zero for any other code.
const IcssWeights& WeightsOfIcss(std::int32_t standard);

// The age group 0 .. 4 of a completed age, -1 below 15 (left out).
int IcssAgeGroup(int completedAge);

// An estimate of one age group (or the standardised one) at one time; an age
// group without cases or without an estimate at that time has none.
struct AgeGroupEstimate {
    bool available = false;
    double value = 0.0;
    double standardError = 0.0;
};

// Sum of weight x estimate, with the standard error sqrt(sum of weight^2 x
// SE^2); not available when any age group has no estimate.
AgeGroupEstimate StandardiseOverAgeGroups(const std::array<AgeGroupEstimate, kIcssAgeGroups>& groups,
                                          const IcssWeights& weights);

// One interval of the age-standardised table: observed, Ederer II relative
// and Pohar-Perme net survival at its end.
struct StandardisedInterval {
    std::int32_t intervalNumber = 0;
    AgeGroupEstimate observed;
    AgeGroupEstimate relative;
    AgeGroupEstimate net;
};

// The standardised table of one analysed group, with the number of its valid
// cases under 15 that are left out.
struct StandardisedGroup {
    std::string code;     // the group's code
    std::string heading;  // the group heading of the report when stratified, else empty
    std::vector<StandardisedInterval> intervals;
    std::int64_t underAge = 0;
    // Brenner's weights only: an age group without cases leaves them
    // undefined; the first day net survival cannot be trusted (-1: none).
    bool weightsUndefined = false;
    std::int32_t netUnstableFromDay = -1;
    // Brenner's weights with the product-limit technique: the estimates at
    // the end of every day 0, 1, ... (intervalNumber the day), for its curves.
    std::vector<StandardisedInterval> days;
};

// How the standardised survival is computed: each age group's estimate,
// then weighted (traditional), or one estimate of the cases weighted by
// Brenner's individual weights.
enum class StandardiseMethod : std::int32_t { kTraditional = 0, kBrenner = 1 };

}  // namespace kalderon
