#pragma once

#include <functional>
#include <optional>

#include "analysis/RunAnalysis.h"

namespace kalderon {

class CMainFrame;
class CResultFrame;

// Runs the analysis on its own copy of the record on a worker thread, so
// that the windows keep painting: the wait cursor and, in the status bar,
// what is being done with a moving bar.  Input waits until the analysis is
// done, so `cases` cannot change meanwhile.  The outcome of a computed
// analysis; a refusal is shown as a message and gives nothing.
std::optional<AnalysisOutcome> ComputeAnalysis(CMainFrame& mainFrame, CAnalysisData data, const CaseList& cases,
                                               const AnalysisRequest& request);

// The same for any run that gives an outcome (the Cox regression, which
// reads the data set's columns).
std::optional<AnalysisOutcome> ComputeInBackground(CMainFrame& mainFrame,
                                                   const std::function<AnalysisOutcome(const AnalysisProgress&)>& run);

// Opens the results window of a finished analysis: the frame of its kind,
// titled with the prefix string, two blanks and the record's title, showing
// the report it takes over.
CResultFrame* OpenResultWindow(CMainFrame& mainFrame, ResultReport report);

}  // namespace kalderon
