#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/CoxFit.h"
#include "stats/CoxSample.h"

namespace kalderon {

// A point of a fitted model's survival curve: at a day with events of the
// stratum, the cases at risk, the events, and the cumulative hazard and
// the survival after it.
struct CoxCurvePoint {
    std::int32_t day = 0;
    std::int32_t atRisk = 0;
    std::int32_t events = 0;
    double cumulativeHazard = 0.0;
    double survival = 1.0;
};

struct CoxCurve {
    std::string name;
    size_t stratum = 0;
    std::vector<CoxCurvePoint> points;
};

// The cumulative baseline hazard of a stratum at each of its days with
// events, for the linear predictor 0 (the columns at the fit's means):
// d / R at a day with d events and a risk sum R (Breslow) or, with Efron's
// handling of ties, the sum over k < d of 1 / (R - k/d R_d), R_d the risk
// sum of the events.
std::vector<CoxCurvePoint> BaselineHazard(const CoxSample& sample, const CoxFitResult& fit, CoxTies ties,
                                          size_t stratum);

// The survival curve of a case with the design row `values` in `stratum`:
// exp(-H(t) exp((values - means) b)).
CoxCurve SurvivalCurve(const CoxSample& sample, const CoxFitResult& fit, CoxTies ties, size_t stratum,
                       const std::vector<double>& values, std::string name);

}  // namespace kalderon
