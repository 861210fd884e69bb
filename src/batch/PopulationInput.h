#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "batch/BatchOptions.h"
#include "stats/AnalysisData.h"

namespace kalderon::batch {

// Writes the sex coding, the population table's name and, for relative
// survival, the method and closing date into the record, and loads the
// table, as confirming the parameter dialog does.  Returns the exit code
// when this fails (the reason told on `err`), nothing when the table is
// loaded.
std::optional<int> PreparePopulation(const BatchOptions& options, CAnalysisData& data, std::ostream& err);

}  // namespace kalderon::batch
