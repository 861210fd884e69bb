#pragma once

#include <ostream>

#include "batch/BatchMessages.h"
#include "batch/BatchOptions.h"

namespace kalderon::batch {

// Reads the input, runs the analysis as its Compute command would, and
// writes the report (to `out` unless a report file is named) and the export.
// Messages go to `err`.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace kalderon::batch
