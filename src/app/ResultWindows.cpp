#include "app/ResultWindows.h"

#include <QEventLoop>
#include <QThread>
#include <functional>
#include <new>
#include <utility>

#include "analysis/AnalysisWindows.h"
#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "common/qt/DisplayText.h"
#include "common/ui/MainStatusBar.h"
#include "common/ui/WaitCursor.h"
#include "resources/Texts.h"
#include "results/ui/CResultEditView.h"

namespace kalderon {
namespace {

QString StageMessage(AnalysisStage stage)
{
    return QString::fromLatin1(stage == AnalysisStage::kComputing ? text::kComputing : text::kWritingReport);
}

}  // namespace

std::optional<AnalysisOutcome> ComputeInBackground(CMainFrame& mainFrame,
                                                   const std::function<AnalysisOutcome(const AnalysisProgress&)>& run)
{
    MainStatusBar* statusBar = mainFrame.mainStatusBar();
    AnalysisOutcome outcome;
    {
        WaitCursor wait;
        statusBar->BeginBusy(StageMessage(AnalysisStage::kComputing));
        const AnalysisProgress progress = [statusBar](AnalysisStage stage) {
            QMetaObject::invokeMethod(statusBar, [statusBar, stage] { statusBar->BeginBusy(StageMessage(stage)); },
                                      Qt::QueuedConnection);
        };
        QThread* worker = QThread::create([&] {
            try {
                outcome = run(progress);
            } catch (const std::bad_alloc&) {
                outcome.refusal = text::kNotEnoughMemory;
            }
        });
        QEventLoop loop;
        QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        worker->start();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        worker->wait();
        delete worker;
        QCoreApplication::sendPostedEvents(statusBar);  // progress posted after the loop ended
        statusBar->EndProgress();
    }
    if (!outcome.succeeded()) {
        mainFrame.services().messages.Show(&mainFrame, DisplayText(*outcome.refusal));
        return std::nullopt;
    }
    return outcome;
}

std::optional<AnalysisOutcome> ComputeAnalysis(CMainFrame& mainFrame, CAnalysisData data, const CaseList& cases,
                                               const AnalysisRequest& request)
{
    return ComputeInBackground(mainFrame, [&](const AnalysisProgress& progress) {
        return RunAnalysis(std::move(data), cases, request, progress);
    });
}

CResultFrame* OpenResultWindow(CMainFrame& mainFrame, ResultReport report)
{
    const AnalysisWindowStrings strings = WindowStringsOf(report.kind(), report.data().periodTechnique);
    const QString title = DisplayText(WindowTitle(strings.resultTitle, report.data().title));
    auto* frame = new CResultFrame(mainFrame.services(), strings.resultFrame);
    frame->view()->SetResults(std::move(report));
    frame->setWindowTitle(title);
    mainFrame.AddChild(frame);
    return frame;
}

}  // namespace kalderon
