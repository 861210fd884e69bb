#pragma once

#include <ostream>

#include "cli/BatchOptions.h"
#include "stats/AnalysisData.h"

namespace kalderon::batch {

// Builds the chart of a finished analysis with the built-in formatting
// defaults and writes the chart file and pictures asked for.  False, with
// the reason on err, when the analysis has no chart or a file cannot be
// written.
bool WriteAnalysisChart(const ChartOutputs& outputs, const CAnalysisData& analysis, AnalysisKind kind,
                        std::ostream& err);

// Draws the chart file outputs.openPath into the pictures asked for;
// returns the exit code.
int RedrawChartFile(const ChartOutputs& outputs, std::ostream& err);

}  // namespace kalderon::batch
