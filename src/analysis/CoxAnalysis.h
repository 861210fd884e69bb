#pragma once

#include <string>
#include <vector>

#include "analysis/CoxDesign.h"
#include "analysis/RunAnalysis.h"
#include "stats/CoxCurves.h"
#include "stats/CoxModel.h"

namespace kalderon {

// A fitted Cox model with its design and its survival curves.
struct CoxAnalysis {
    CoxDesign design;
    CoxModel model;
    std::vector<CoxCurve> curves;
};

// Builds the design, fits the model and draws the curves with their
// limits: per stratum, one for each level of the factor the curves are
// drawn by, or one; the other covariates at their means or at the values
// given.
Refusal RunCoxAnalysis(const DataSet& data, const CoxModelChoice& choice, const std::string& ciLevelText,
                       CoxAnalysis& analysis);

// The Cox regression as the desktop program and kalderon-batch run it: the
// report (the header of the data set, then the model's section) with its
// export, the curves as a survival chart, and the warnings (collinear and
// runaway coefficients) in the outcome's note.  The data set's record gives
// the title, the selection and the confidence level.
AnalysisOutcome RunCoxRegression(const DataSet& data, const CoxModelChoice& choice);

// The record a chart of the curves draws: a series per curve, a row at each
// of its days with events.
CAnalysisData CoxChartData(const CAnalysisData& data, const std::vector<CoxCurve>& curves);

}  // namespace kalderon
