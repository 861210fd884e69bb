#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "analysis/CoxDesign.h"
#include "analysis/RunAnalysis.h"

namespace kalderon {

class CEventDataView;
class CMainFrame;

// An entry of the Compute menu: its command id, menu text and the prompt
// string (status bar text, a line end, tool tip), 0 for none.
struct ComputeCommand {
    int id;
    QString text;
    int prompt;
};

// The Compute menu in its order.
const std::vector<ComputeCommand>& ComputeCommands();
bool IsComputeCommand(int id);
// The ids of the Compute menu, SMR/SIR under `smrSirId`.
QList<int> ComputeMenuIds(int smrSirId);

// Whether the data view can run the command now: SMR/SIR needs a gender and
// a birth-date column, the others are always there.
bool ComputeCommandEnabled(const CEventDataView& view, int id);

// Computes the analysis on the data view's data set, with the wait cursor
// and progress, and opens its results window (which keeps what made it:
// the data set's source, its case choice, the parameters in its record,
// the request, the population database) and chart windows, and for the
// conditional survival the chart of its curves; the outcome's note in a
// message.  A Cox regression fits `coxModel`.
void ComputeAndShow(CMainFrame& mainFrame, CEventDataView& view, const AnalysisRequest& request,
                    const std::optional<CoxModelChoice>& coxModel, const std::string& populationDatabase);

// Runs a Compute command on the data view: refuses when no case is valid,
// asks for the parameters and, once they are given, computes and opens the
// results window and, except for SMR/SIR, the chart window.
void RunComputeCommand(CMainFrame& mainFrame, CEventDataView& view, int id);

}  // namespace kalderon
