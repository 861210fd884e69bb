#pragma once

#include "resources/Texts.h"
#include "results/ResultTextWriter.h"
#include "stats/AnalysisData.h"

namespace kalderon {

// The analysis block of one group section: table header, export header (in
// the first section only) and the table rows of that group.  One function
// per analysis, each in its own file.

void WriteLifeTableBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group);
void WriteSmrSirBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group);
void WritePeriodLifeTableBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group);
void WriteTrendBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group);
// The product-limit table; with `periodLines` (period analysis, product-limit
// technique) after the period of interest.
void WriteProductLimitBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group,
                            bool periodLines);

// Competing risks: the cumulative incidence table of each cause.
void WriteCumulativeIncidenceBlock(ResultTextWriter& out, const CAnalysisData& data, const CGroupResult& group);

// The period of interest with two-digit years, then an empty line.
void WritePeriodLines(ResultTextWriter& out, const CAnalysisData& data);

}  // namespace kalderon
