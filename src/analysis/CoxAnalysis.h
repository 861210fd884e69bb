#pragma once

#include <string>
#include <vector>

#include "analysis/CoxDesign.h"
#include "stats/CoxCurves.h"
#include "stats/CoxModel.h"

namespace kalderon {

// A fitted Cox model with its design and its survival curves.
struct CoxAnalysis {
    CoxDesign design;
    CoxModel model;
    std::vector<CoxCurve> curves;
};

// Builds the design, fits the model and draws the curves: per stratum, one
// for each level of the factor the curves are drawn by, the other columns
// at their means, or one at the means of all columns.
Refusal RunCoxAnalysis(const DataSet& data, const CoxSpecification& spec, const std::string& ciLevelText,
                       CoxAnalysis& analysis);

}  // namespace kalderon
