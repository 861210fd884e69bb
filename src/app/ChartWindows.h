#pragma once

#include <QString>

#include "stats/AnalysisData.h"

namespace kalderon {

class CLifeTableChartFrame;
class CMainFrame;

// The chart window of a finished survival analysis: the frame of its chart
// kind, the view initialised from its own copy of the record with the
// user's defaults of that kind, titled with the chart title of the analysis,
// two blanks and the record's title.  Null for SMR/SIR, which has no chart.
CLifeTableChartFrame* OpenAnalysisChart(CMainFrame& frame, const CAnalysisData& analysis, AnalysisKind kind);

// "Open life table chart": asks for a chart file and opens it.
void OpenLifeTableChart(CMainFrame& frame);

// Shows a chart file in a new chart window titled with its full path; a
// file that cannot be read is named in a message and leaves no window.
bool OpenChartFileByPath(CMainFrame& frame, const QString& path);

}  // namespace kalderon
