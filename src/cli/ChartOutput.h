#pragma once

#include <ostream>

#include "analysis/RunAnalysis.h"
#include "batch/BatchOptions.h"

namespace kalderon::batch {

// Builds the chart of a finished analysis with the built-in formatting
// defaults and writes the chart file and pictures asked for.  False, with
// the reason on err, when the analysis has no chart or a file cannot be
// written.
bool WriteAnalysisChart(const ChartOutputs& outputs, const AnalysisOutcome& analysis, std::ostream& err);

// Draws the conditional curves given survival to `from` of a finished
// analysis into a PNG picture
// of the size of `outputs`; false, with the reason on err, when it cannot be
// written.
bool WriteConditionalChart(const ChartOutputs& outputs, const std::string& pngPath, const AnalysisOutcome& analysis,
                           double from, std::ostream& err);

// Draws the chart file outputs.openPath into the pictures asked for;
// returns the exit code.
int RedrawChartFile(const ChartOutputs& outputs, std::ostream& err);

}  // namespace kalderon::batch
