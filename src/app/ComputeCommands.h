#pragma once

#include <QList>
#include <QString>
#include <vector>

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

// Runs a Compute command on the data view: refuses when no case is valid,
// asks for the parameters and, once they are given, computes and opens the
// results window and, except for SMR/SIR, the chart window.
void RunComputeCommand(CMainFrame& mainFrame, CEventDataView& view, int id);

}  // namespace kalderon
