#pragma once

#include <vector>

#include "stats/CauseTally.h"
#include "stats/ResultTables.h"

namespace kalderon {

// Gray's (1988) test of equal cumulative incidence of `cause` in the groups
// that hold cases (weight 1, no strata): the scores of all groups but the
// last and their variance, the statistic s' V^-1 s with k - 1 degrees of
// freedom for k groups and its chi-square p-value.  Not computed when V is
// singular.
CGrayTest ComputeGrayTest(const std::vector<CauseTally>& tallies, int cause);

}  // namespace kalderon
