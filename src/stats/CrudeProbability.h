#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stats/AnalysisData.h"
#include "stats/Refusal.h"

namespace kalderon {

// The cumulative crude probabilities of death at the end of one interval of
// a relative survival life table: from the disease, from other causes, and
// both together, which is one minus the observed cumulative survival.
struct CrudeProbabilityRow {
    std::int32_t intervalNumber = 0;
    double disease = 0.0;
    double diseaseStandardError = 0.0;
    double otherCauses = 0.0;
    double otherCausesStandardError = 0.0;
    double allCauses = 0.0;
};

struct CrudeProbabilityGroup {
    std::string code;
    std::vector<CrudeProbabilityRow> rows;
};

// Why crude probabilities of death cannot be given for `kind` on this
// record: they need the life table with relative survival after Ederer II.
Refusal CrudeProbabilityRefusal(AnalysisKind kind, const CAnalysisData& data);

// The crude probabilities of every group that has a section in the report,
// read off its computed relative survival life table, up to the first
// interval that nobody entered.  In interval i, with p the observed and p*
// the expected interval survival, r = p / p* and S the observed cumulative
// survival at its beginning, the deaths from the disease are
// S (1 - r) (1 - (1 - p*) / 2) and those from other causes
// S (1 - p*) (1 - (1 - r) / 2); each is summed over the intervals.  The
// standard errors follow by the delta method with the interval survivals
// independent, of variance p (1 - p) / exposed to risk, and p* fixed.
std::vector<CrudeProbabilityGroup> ComputeCrudeProbabilities(const CAnalysisData& data);

}  // namespace kalderon
