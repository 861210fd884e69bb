#pragma once

#include <vector>

#include "results/ReportSection.h"
#include "stats/CrudeProbability.h"

namespace kalderon {

// The crude probabilities of death after the group sections: a table per
// group (headed by the group when there are several) and their export lines
// under a header line of their own, after the group code when there are
// several groups.
ReportSection WriteCrudeProbabilitySection(const std::vector<CrudeProbabilityGroup>& groups);

}  // namespace kalderon
