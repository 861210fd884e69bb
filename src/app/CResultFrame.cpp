#include "app/CResultFrame.h"

#include "common/ui/ResourceIds.h"
#include "results/ui/CResultEditView.h"

namespace kalderon {

CResultFrame::CResultFrame(AppServices& services, int resourceId, QWidget* parent)
    : CChildFrame(resourceId, resource::kDataMenu, parent), view_(new CResultEditView(services, this))
{
    setWidget(view_);
    connect(view_, &CResultEditView::savedAs, this, &QWidget::setWindowTitle);
}

bool CResultFrame::QueryClose() { return view_->QuerySaveOnClose(); }

}  // namespace kalderon
