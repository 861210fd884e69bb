#pragma once

#include <cstdint>
#include <vector>

#include "stats/AnnualSurvivalGrid.h"

namespace kalderon {

// One case as the net survival estimator sees it.  Day s of follow-up is the
// day ending s days after the begin date; on day s >= 1 the case is exposed
// to the population hazard of its cell (sex, calendar year, age in completed
// years) on the date beginDay + s - 1, -ln p / 365.25 per day.  The case is
// at risk on the days firstDay .. lastDay and dies on lastDay when `died`.
struct NetSurvivalCase {
    double beginDay = 0.0;  // day number of the begin date
    double birthDay = 0.0;  // day number of the date of birth
    std::int32_t sex = 0;   // 0 first sex, 1 second
    std::int32_t firstDay = 0;
    std::int32_t lastDay = 0;
    bool died = false;
    double weight = 1.0;  // a case weight multiplying its inverse expected survival
};

// The net cumulative hazard and its variance at the end of every day
// 0 .. the last day of any case; days nobody is at risk add nothing.
struct NetSurvivalCurve {
    std::vector<double> cumulativeHazard;
    std::vector<double> variance;

    // Net survival exp(-cumulative hazard) and its standard error at the end
    // of `day` (days beyond the curve take its last value; before any case 1).
    double SurvivalAt(std::int32_t day) const;
    double StandardErrorAt(std::int32_t day) const;

    // The first day from which on the estimate cannot be trusted, -1 when it
    // can be on every day: the inverse expected survival of the oldest cases
    // multiplies a handful of deaths, so that the net survival leaves
    // 0 .. kMaxStableNetSurvival or its standard error exceeds
    // kMaxStableStandardError (or either is no number at all).
    std::int32_t FirstUnstableDay() const;
};

constexpr double kMaxStableNetSurvival = 1.5;
constexpr double kMaxStableStandardError = 0.5;

// The Pohar-Perme estimator: each case weighted with the inverse of its
// expected survival since the begin of follow-up.  Cases that are in the same
// cell on a day share its hazard, and inside a cell a weight grows by the
// same factor every day, so the weighted sums are kept per cell rather than
// per case and day.
NetSurvivalCurve ComputeNetSurvivalCurve(const std::vector<NetSurvivalCase>& cases, const AnnualSurvivalGrid& grid);

// Case weights that take one of a few values: the class of each case
// (indexed like the cases, below kMaxWeightClasses) and the weight of each
// class (above 0).
struct WeightClasses {
    std::vector<std::uint8_t> classOf;
    std::vector<double> weights;
};
constexpr size_t kMaxWeightClasses = 8;

// The net survival of the cases weighted by their classes' weights (in place
// of their own) and, in the same walk over the days, their Ederer II
// expected survival per day 0 .. the last day of any case: the product over
// the days up to `day` of the weighted mean of exp(-population hazard) over
// the cases at risk on that day (day 0, and days nobody is at risk, multiply
// by 1).  The cases at risk and their expected survival over a day are
// summed per class and weighted once a day.
struct WeightedNetSurvival {
    NetSurvivalCurve net;
    std::vector<double> expected;
};
WeightedNetSurvival ComputeWeightedNetSurvival(const std::vector<NetSurvivalCase>& cases,
                                               const AnnualSurvivalGrid& grid, const WeightClasses& weights);

// Both in one walk over the days: the net survival of the cases without
// weights (their own left aside), and that of the same cases weighted by
// classes.  Each is the one the walks above give (the first for cases
// weighing 1).
struct NetSurvivalWithWeighted {
    NetSurvivalCurve net;
    WeightedNetSurvival weighted;
};
NetSurvivalWithWeighted ComputeNetSurvivalWithWeighted(const std::vector<NetSurvivalCase>& cases,
                                                       const AnnualSurvivalGrid& grid, const WeightClasses& weights);

}  // namespace kalderon
