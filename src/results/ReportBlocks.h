#pragma once

#include "results/ReportWriter.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// The analysis block of one group section: table header, export header (in
// the first section only) and the table rows of that group.  One function
// per analysis, each in its own file.

void WriteLifeTableBlock(ReportWriter& out, const CAnalysisData& data, const CGroupResult& group);
void WriteSmrSirBlock(ReportWriter& out, const CAnalysisData& data, const CGroupResult& group);

}  // namespace kalderon
