#pragma once

#include <optional>
#include <ostream>

#include "analysis/CaseChoice.h"
#include "batch/BatchOptions.h"
#include "import/DataSet.h"

namespace kalderon::batch {

// The selection and grouping of the cases read that --where, --group
// FIELD,FIELD, --age-groups, --begin-year-groups and --group-by ask for;
// none (CaseChoice::any) without them.  A condition or a field that cannot
// be used is named on `err` and gives the exit status.
std::optional<int> ReadCaseChoice(const BatchOptions& options, const DataSet& dataSet, CaseChoice& choice,
                                  std::ostream& err);

}  // namespace kalderon::batch
