#pragma once

#include <string>
#include <utility>
#include <vector>

#include "import/DataSet.h"
#include "stats/CoxFit.h"
#include "stats/CoxSample.h"
#include "stats/Refusal.h"

namespace kalderon {

// A Cox model as it is asked for: covariates, strata and the field the
// curves are drawn by are fields by name or number, "age" or "begin-year";
// a reference is "FIELD=LEVEL".
struct CoxModelChoice {
    std::vector<std::string> covariates;
    std::vector<std::string> factors;
    std::vector<std::string> references;
    std::vector<std::string> strata;     // crossed when several
    std::vector<std::string> eventCodes;
    CoxTies ties = CoxTies::kEfron;
    std::string curvesBy;
    std::vector<std::string> curveValues;  // "FIELD=VALUE": in the curves instead of the covariate's mean
};

// A factor's levels in the group list's order; the reference has no column.
struct CoxFactorLevels {
    std::vector<std::string> levels;
    size_t reference = 0;
};

// The design of the model over the data set's analysed cases.
struct CoxDesign {
    CoxSample sample;
    std::vector<CoxFactorLevels> factorLevels;  // per term: the levels of a factor, else empty
    std::vector<double> columnMeans;            // per design column, over the sample
    size_t analysedCases = 0;                   // valid and selected
    size_t incompleteCases = 0;                 // of those, left out for an empty or unreadable value
    size_t invalidCases = 0;
    // The curves: per stratum, a curve at the means for each level of
    // curvesTerm (a factor's term), or one at the means without it.
    int curvesTerm = -1;
    // The design row of the curves but the curves' factor: per column its
    // mean, or the column of a value given; and the values given, by term.
    std::vector<double> curveRow;
    std::vector<std::pair<std::string, std::string>> curveValues;
};

// Reads the covariates, strata and event of the cases.  A field whose
// values (not empty) all read as numbers is a number unless named among the
// factors; any other is a factor with an indicator column per level but
// the reference (the first level unless one is chosen).  A case with an
// empty or unreadable value is left out and counted.
Refusal BuildCoxDesign(const DataSet& data, const CoxModelChoice& choice, CoxDesign& design);

// Sets the curve row from the column means and the choice's curve values: a
// number for a numeric covariate, a level for a factor (its indicator
// columns 1 and 0); the curves' own factor takes none.
Refusal SetCurveValues(const CoxModelChoice& choice, CoxDesign& design);

}  // namespace kalderon
