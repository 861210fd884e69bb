#pragma once

#include <optional>
#include <ostream>

#include "cli/BatchOptions.h"
#include "import/DataSet.h"

namespace kalderon::batch {

// Selects and regroups the cases read as --where, --group FIELD,FIELD,
// --age-groups and --begin-year-groups ask; with none of them the data set
// stays as read.  A condition or a field that cannot be used is named on
// `err` and gives the exit status.
std::optional<int> ApplyCaseChoiceOptions(const BatchOptions& options, bool fileGroupGiven, DataSet& dataSet,
                                          std::ostream& err);

}  // namespace kalderon::batch
