#pragma once

#include <QString>

namespace kalderon {

class CMainFrame;

// File > Open analysis: an analysis file chosen by the person, then
// OpenAnalysisByPath.
void OpenAnalysisFile(CMainFrame& frame);

// Runs an analysis file as kalderon-batch --analysis-file does: reads its
// data file into a new data window, applies its selection and grouping
// there, sets its parameters and opens the windows of the analysis.  What
// stops it (a file that does not read as an analysis file, a data file
// that has gone, an option that does not fit) is shown in a message;
// whether the windows of the analysis opened.
bool OpenAnalysisByPath(CMainFrame& frame, const QString& path);

}  // namespace kalderon
