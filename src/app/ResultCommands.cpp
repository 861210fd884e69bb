#include "app/ResultCommands.h"

#include <QAction>
#include <QMdiArea>

#include "app/CMainFrame.h"
#include "app/CResultFrame.h"
#include "common/ui/ResourceIds.h"
#include "results/ui/CResultEditView.h"

namespace kalderon {
namespace {

// Marks a results view whose selection the Copy command follows.
constexpr const char* kFollowed = "copyCommandFollows";

void UpdateCommands(CMainFrame& mainFrame)
{
    CResultEditView* view = ActiveResultView(mainFrame);
    mainFrame.command(command::kSaveAs)->setEnabled(view != nullptr);
    mainFrame.command(command::kPrint)->setEnabled(view != nullptr);
    mainFrame.command(command::kCopy)->setEnabled(view && view->hasSelection());
}

}  // namespace

CResultEditView* ActiveResultView(const CMainFrame& mainFrame)
{
    const auto* frame = qobject_cast<const CResultFrame*>(mainFrame.mdiArea()->currentSubWindow());
    return frame ? frame->view() : nullptr;
}

void ConnectResultCommands(CMainFrame& mainFrame)
{
    CMainFrame* frame = &mainFrame;
    QObject::connect(frame->command(command::kSaveAs), &QAction::triggered, frame, [frame] {
        if (CResultEditView* view = ActiveResultView(*frame)) view->SaveAs();
    });
    QObject::connect(frame->command(command::kPrint), &QAction::triggered, frame, [frame] {
        if (CResultEditView* view = ActiveResultView(*frame)) view->Print();
    });
    QObject::connect(frame->command(command::kCopy), &QAction::triggered, frame, [frame] {
        if (CResultEditView* view = ActiveResultView(*frame)) view->copy();
    });
    QObject::connect(frame->mdiArea(), &QMdiArea::subWindowActivated, frame, [frame](QMdiSubWindow* child) {
        auto* results = qobject_cast<CResultFrame*>(child);
        if (results && !results->view()->property(kFollowed).toBool()) {
            results->view()->setProperty(kFollowed, true);
            QObject::connect(results->view(), &CResultEditView::copyAvailable, frame, [frame] { UpdateCommands(*frame); });
        }
        UpdateCommands(*frame);
    });
    UpdateCommands(mainFrame);
}

}  // namespace kalderon
