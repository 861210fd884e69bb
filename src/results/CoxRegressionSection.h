#pragma once

#include <string>
#include <utility>
#include <vector>

#include "results/ExportText.h"
#include "stats/CoxCurves.h"
#include "stats/CoxModel.h"
#include "stats/CoxSample.h"
#include "stats/TimeUnit.h"

namespace kalderon {

// What the report of a Cox model says beside the model itself.
struct CoxReportFacts {
    std::string strataFields;  // as named, joined by " x "; empty without strata
    long incompleteCases = 0;
    long invalidCases = 0;
    std::string ciLevelText;
    std::int32_t timeUnit = kUnitDay;          // of the curves' times
    std::vector<std::pair<std::string, std::string>> curveValues;  // term, value: in the curves instead of the mean
};

// The report lines of a fitted Cox model (the model's facts, the table of
// coefficients, the tests, the concordance, the check of proportional
// hazards, the survival curves) and its export lines, every number of the
// export with 10 significant digits.  Warnings are collected in `notes`.
struct CoxRegressionTexts {
    std::string report;
    ExportText exportText;
    std::vector<std::string> notes;
};
CoxRegressionTexts WriteCoxRegressionSection(const CoxModel& model, const CoxSample& sample,
                                             const std::vector<CoxCurve>& curves, const CoxReportFacts& facts);

}  // namespace kalderon
