#include "app/ChartWindows.h"

#include "analysis/AnalysisWindows.h"
#include "app/CLifeTableChartFrame.h"
#include "app/CMainFrame.h"
#include "app/RecentFileList.h"
#include "charts/ChartFile.h"
#include "charts/LifeTableChart.h"
#include "charts/ui/CLifeTableChartView.h"
#include "common/qt/DisplayText.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "common/ui/WaitCursor.h"

namespace kalderon {
namespace {

constexpr int kChartFileFilter = 203;
constexpr int kOpenTitle = 211;
constexpr int kChartFromFile = 422;  // the frame of charts read from a file

}  // namespace

CLifeTableChartFrame* OpenAnalysisChart(CMainFrame& frame, const CAnalysisData& analysis, AnalysisKind kind)
{
    const std::int32_t chartKind = ChartKindOfAnalysis(kind, analysis.periodTechnique);
    if (chartKind < 0) return nullptr;
    const AnalysisWindowStrings strings = WindowStringsOf(kind, analysis.periodTechnique);
    auto* window = new CLifeTableChartFrame(frame.services(), strings.chartFrame);
    window->view()->InitFromAnalysis(analysis, chartKind, kind == kTrend ? analysis.survivalYears : 0);
    window->setWindowTitle(UiString(strings.chartTitle) + QStringLiteral("  ") + DisplayText(analysis.title));
    frame.AddChild(window);
    return window;
}

void OpenLifeTableChart(CMainFrame& frame)
{
    AppServices& services = frame.services();
    const QString path = services.fileDialogs.OpenFileName(&frame, UiString(kOpenTitle), FileKind::kChart,
                                                           UiString(kChartFileFilter));
    if (!path.isEmpty() && OpenChartFileByPath(frame, path)) AddRecentFile(path);
}

bool OpenChartFileByPath(CMainFrame& frame, const QString& path)
{
    AppServices& services = frame.services();
    WaitCursor wait;
    const std::string file = PathBytes(path);
    LifeTableChart chart;
    const ChartFileStatus status = OpenChartFile(file, chart);
    if (status == ChartFileStatus::kCannotOpen || status == ChartFileStatus::kNotAChartFile) {
        services.messages.Show(&frame, DisplayText(ChartFileMessage(status, file)));
        return false;
    }
    auto* window = new CLifeTableChartFrame(services, kChartFromFile);
    frame.AddChild(window);
    if (status != ChartFileStatus::kOk) {
        // The body did not read to its closing signature: the half-built
        // window goes again, without asking about its content.
        window->view()->chart().modifiedFlag = 0;
        window->close();
        services.messages.Show(&frame, DisplayText(ChartFileMessage(status, file)));
        return false;
    }
    window->setWindowTitle(DisplayText(chart.chartPath));
    window->view()->SetChart(std::move(chart));
    return true;
}

}  // namespace kalderon
