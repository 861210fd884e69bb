#pragma once

#include <string>
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
};

// Reads the covariates, strata and event of the cases.  A field whose
// values (not empty) all read as numbers is a number unless named among the
// factors; any other is a factor with an indicator column per level but
// the reference (the first level unless one is chosen).  A case with an
// empty or unreadable value is left out and counted.
Refusal BuildCoxDesign(const DataSet& data, const CoxModelChoice& choice, CoxDesign& design);

}  // namespace kalderon
