#pragma once

namespace kalderon {

class CMainFrame;
class CResultEditView;

// Save as, Print and Copy of the main frame act on the active results
// window; they are enabled while one is active (Copy while its view holds a
// selection).
void ConnectResultCommands(CMainFrame& mainFrame);

// The results view of the active child window, or null.
CResultEditView* ActiveResultView(const CMainFrame& mainFrame);

}  // namespace kalderon
