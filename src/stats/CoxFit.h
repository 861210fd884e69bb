#pragma once

#include <cfloat>
#include <cmath>
#include <vector>

#include <Eigen/Dense>

#include "stats/CoxSample.h"

namespace kalderon {

enum class CoxTies { kEfron, kBreslow };

// When the Newton-Raphson iteration stops and what it takes as singular.
struct CoxControl {
    double eps = 1e-9;                            // relative change of the log partial likelihood
    int iterMax = 20;
    double tolerChol = std::pow(DBL_EPSILON, 0.75);  // pivots set aside as collinear
    double tolerInf = std::sqrt(1e-9);            // a coefficient still moving: may be infinite
};

// The fitted Cox model in the design's columns.
struct CoxFitResult {
    Eigen::VectorXd coef;         // NaN for a collinear column
    Eigen::MatrixXd var;          // inverse information; zero rows and columns for collinear ones
    Eigen::VectorXd means;        // what the linear predictor is centred on (0 for -1/0/1 columns)
    double loglikNull = 0.0;      // at coefficients 0
    double loglik = 0.0;          // at the estimate
    double scoreTest = 0.0;       // at coefficients 0
    int iterations = 0;
    int rank = 0;
    bool converged = true;
    std::vector<bool> collinear;  // per column
    std::vector<bool> infinite;   // per column: the likelihood still rises along it
    std::vector<double> linearPredictor;  // per case of the sample, centred on the means

    size_t Estimated() const { return static_cast<size_t>(rank > 0 ? rank : 0); }
};

// The maximum partial likelihood estimate with Efron's or Breslow's handling
// of tied event times and a baseline hazard per stratum.  The columns are
// centred on their means and scaled by their mean absolute deviation while
// iterating (columns of -1, 0 and 1 only are left as they are); from zero
// the Newton-Raphson steps are halved while the likelihood falls, and the
// iteration ends when the likelihood changes by no more than eps relative.
CoxFitResult FitCox(const CoxSample& sample, CoxTies ties, const CoxControl& control = {});

}  // namespace kalderon
