#pragma once

#include <string>
#include <vector>

#include "stats/CoxConcordance.h"
#include "stats/CoxFit.h"
#include "stats/CoxSample.h"
#include "stats/CoxZph.h"

namespace kalderon {

// A design column's estimate: the coefficient b, the hazard ratio exp(b),
// the standard error, z = b / SE with its two-sided p, and the limits of
// the hazard ratio exp(b -/+ z SE).  A collinear column has none of them.
struct CoxCoefficientRow {
    std::string name;
    bool collinear = false;
    bool infinite = false;
    double coef = 0.0, hazardRatio = 0.0, standardError = 0.0, z = 0.0, p = 0.0, lower = 0.0, upper = 0.0;
};

struct CoxModelTest {
    double chiSquare = 0.0;
    int df = 0;
    double p = 0.0;
};

// Everything reported of a fitted Cox model.
struct CoxModel {
    CoxTies ties = CoxTies::kEfron;
    std::vector<CoxCoefficientRow> rows;
    CoxModelTest likelihoodRatio, wald, score;
    CoxConcordance concordance;
    std::vector<CoxZphRow> proportionalHazards;
    size_t cases = 0;
    size_t events = 0;
    CoxFitResult fit;
};

// The normal quantile of the limits at the level ".95" or ".99".
double CoxLimitsZ(const std::string& ciLevelText);

// Fits the model and adds the tests, the concordance and the check of
// proportional hazards.
CoxModel FitCoxModel(const CoxSample& sample, CoxTies ties, double limitsZ, const CoxControl& control = {});

}  // namespace kalderon
