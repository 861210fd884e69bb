#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/CoxFit.h"
#include "stats/CoxSample.h"

namespace kalderon {

// A point of a fitted model's survival curve: at a day with events of the
// stratum, the cases at risk, the events, the cumulative hazard and the
// survival after it, the standard error of the cumulative hazard and the
// limits of the survival exp(log S -/+ z SE), the upper at most 1 (NaN
// where the survival is 0).
struct CoxCurvePoint {
    std::int32_t day = 0;
    std::int32_t atRisk = 0;
    std::int32_t events = 0;
    double cumulativeHazard = 0.0;
    double survival = 1.0;
    double standardError = 0.0;
    double lower = 1.0;
    double upper = 1.0;
};

struct CoxCurve {
    std::string name;
    size_t stratum = 0;
    std::vector<CoxCurvePoint> points;
};

// The baseline of a stratum at its days with events, for the linear
// predictor 0 (the columns at the fit's means): the hazard increments, d/R
// at a day with d events and a risk sum R (Breslow) or, with Efron's
// handling of ties, the sum over k < d of 1/(R - k/d R_d), R_d the risk
// sum of the events; the increments of their variance term, the same sums
// of the squares; and per column the increments of the risk-weighted mean
// of the centred design row, sum over k of (A - k/d A_d)/(R - k/d R_d)^2, A
// the risk-weighted sum of the rows at risk and A_d of the events'.
struct CoxBaseline {
    size_t stratum = 0;
    std::vector<CoxCurvePoint> points;       // cumulativeHazard holds the increment
    std::vector<double> varianceIncrements;  // per point
    std::vector<double> meanIncrements;      // per point, one value a column
};
CoxBaseline BaselineOf(const CoxSample& sample, const CoxFitResult& fit, CoxTies ties, size_t stratum);

// The survival curve of a case with the design row `values` in the
// baseline's stratum: H(t) = H0(t) exp((values - means) b) and S = exp(-H),
// with the variance of H(t) as the sum of the variance increments plus
// d' V d, d = H0(t) (values - means) - the summed mean increments, both
// times exp(2 (values - means) b); limitsZ the normal quantile of the limits.
CoxCurve SurvivalCurve(const CoxBaseline& baseline, const CoxFitResult& fit, const std::vector<double>& values,
                       double limitsZ, std::string name);

}  // namespace kalderon
