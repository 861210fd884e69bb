#pragma once

namespace kalderon {

// Numbers of the windows, menus and strings of the application shell.
namespace resource {
inline constexpr int kMainFrame = 128;    // menu, toolbar and title string of the main window
inline constexpr int kDataMenu = 129;     // menu of data and results windows
inline constexpr int kChartMenu = 130;    // menu of chart windows
inline constexpr int kAboutDialog = 100;
inline constexpr int kDataWindow = 303;   // frame id of data windows
inline constexpr int kOrganisation = 127;  // string: profile organisation
inline constexpr int kAppTitle = 57344;   // string: application title
}  // namespace resource

// Ids of the buttons that dialogs share.
namespace button {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kHelp = 9;
}  // namespace button

// Command ids of menus and toolbar.
namespace command {
inline constexpr int kNew = 57600;
inline constexpr int kOpenDataFile = 32771;
inline constexpr int kOpenChart = 32787;
inline constexpr int kResetDefaults = 32779;
inline constexpr int kSaveAs = 32774;
inline constexpr int kSaveChart = 32785;
inline constexpr int kExportChart = 32782;
inline constexpr int kEditChartTitle = 32776;
inline constexpr int kEditTimeAxis = 32777;
inline constexpr int kEditSurvivalAxis = 32778;
inline constexpr int kEditLegend = 32780;
inline constexpr int kFormatDataSeries = 32781;
inline constexpr int kClose = 57602;
inline constexpr int kPrint = 57607;
inline constexpr int kPageSetup = 57605;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kExit = 57665;
inline constexpr int kCut = 57635;
inline constexpr int kCopy = 57634;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAll = 57642;
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kViewAllColumns = 32851;
// The Data menu of data windows.
inline constexpr int kSelectCases = 32852;
inline constexpr int kAllCases = 32853;
inline constexpr int kGroupCases = 32854;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kWindowCloseAll = 32850;
inline constexpr int kHelpContents = 32789;
inline constexpr int kQuickTour = 32790;
inline constexpr int kAbout = 57664;
// The Compute menu.
inline constexpr int kComputeLifeTable = 32773;
inline constexpr int kComputeProductLimit = 32792;
inline constexpr int kComputePeriodAnalysis = 32772;
inline constexpr int kComputeTrend = 32775;
inline constexpr int kComputeSmrSir = 32793;
inline constexpr int kChartMenuSmrSir = 32794;  // SMR/SIR in the chart windows' menu: no window has it
inline constexpr int kComputeCumulativeIncidence = 32795;
inline constexpr int kComputeCoxRegression = 32796;
// Analyses kept and run again.
inline constexpr int kOpenAnalysis = 32855;
inline constexpr int kSaveAnalysis = 32856;
inline constexpr int kCopyCommandLine = 32857;
}  // namespace command

}  // namespace kalderon
