#pragma once

#include <string>

#include "results/ResultReport.h"
#include "results/WorkbookTables.h"

namespace kalderon {

// Writes the results of `report` to the .xlsx workbook `path`: a first
// sheet with the report's header lines, its creation time as a date, the
// facts of each group and what each sheet holds, then a sheet per table
// (each group's table, then the tables after the group sections:
// standardised, Gray's tests, crude probabilities, Cox model, comparison,
// summaries) under the export's column headings.  False, with the reason
// and any old file unchanged, when it cannot be written.
bool WriteResultWorkbook(const ResultReport& report, const std::string& path, std::string& reason,
                         const WorkbookLimits& limits = {});

}  // namespace kalderon
