#pragma once

namespace kalderon {

class CMainFrame;
class CEventDataView;

// The Data menu of a data window: "Select cases ...", "All cases" and
// "Group cases by ..." change which cases the Compute commands analyse and
// how they group them.
bool IsCaseChoiceCommand(int id);
bool CaseChoiceCommandEnabled(const CEventDataView& view, int id);
void RunCaseChoiceCommand(CMainFrame& mainFrame, CEventDataView& view, int id);

}  // namespace kalderon
