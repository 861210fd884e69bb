#include "app/CResultFrame.h"

#include "common/ui/ResourceIds.h"
#include "results/ui/CResultEditView.h"

namespace kalderon {

CResultFrame::CResultFrame(AppServices& services, int resourceId, QWidget* parent)
    : CChildFrame(resourceId, resource::kDataMenu, parent), view_(new CResultEditView(services, this))
{
    setWidget(view_);
    connect(view_, &CResultEditView::titleChanged, this, &QWidget::setWindowTitle);
    connect(view_, &CResultEditView::copyAvailable, this, &CChildFrame::CommandsChanged);
}

bool CResultFrame::HandlesCommand(int id) const
{
    switch (id) {
    case command::kSaveAs:
    case command::kPrint:
    case command::kPrintPreview:
    case command::kSelectAll: return true;
    case command::kCopy: return view_->hasSelection();
    default: return false;
    }
}

void CResultFrame::RunCommand(int id)
{
    switch (id) {
    case command::kSaveAs: view_->SaveAs(); break;
    case command::kPrint: view_->Print(); break;
    case command::kPrintPreview: view_->PrintPreview(); break;
    case command::kSelectAll: view_->selectAll(); break;
    case command::kCopy: view_->copy(); break;
    default: break;
    }
}

bool CResultFrame::QueryClose() { return view_->QuerySaveOnClose(); }

bool CResultFrame::HasUnsavedContent() const { return view_->unsavedFlag() != 0; }

bool CResultFrame::SaveContent() { return view_->SaveAs() == 1; }

}  // namespace kalderon
