#include "app/CLifeTableChartFrame.h"

#include "charts/ui/CLifeTableChartView.h"
#include "common/ui/ResourceIds.h"

namespace kalderon {

CLifeTableChartFrame::CLifeTableChartFrame(AppServices& services, int resourceId, QWidget* parent)
    : CChildFrame(resourceId, resource::kChartMenu, parent), view_(new CLifeTableChartView(services, this))
{
    setWidget(view_);
    connect(view_, &CLifeTableChartView::titleChanged, this, &QWidget::setWindowTitle);
}

bool CLifeTableChartFrame::HandlesCommand(int id) const { return CLifeTableChartView::HandlesCommand(id); }

void CLifeTableChartFrame::RunCommand(int id) { view_->OnCommand(id); }

bool CLifeTableChartFrame::QueryClose() { return view_->QuerySaveOnClose(); }

bool CLifeTableChartFrame::HasUnsavedContent() const { return view_->chart().modifiedFlag != 0; }

bool CLifeTableChartFrame::SaveContent() { return view_->SaveChartAs(); }

}  // namespace kalderon
