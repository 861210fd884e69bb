#include "app/DataWindowCommands.h"

#include <QAction>
#include <QMdiArea>

#include "app/CEventDataFrame.h"
#include "common/ui/MainStatusBar.h"
#include "import/ui/CEventDataView.h"

namespace kalderon {

DataWindowCommands::DataWindowCommands(QMdiArea* area, MainStatusBar* statusBar)
    : QObject(area), area_(area), statusBar_(statusBar)
{
    connect(area_, &QMdiArea::subWindowActivated, this, &DataWindowCommands::Follow);
    Follow();
}

void DataWindowCommands::Follow()
{
    disconnect(selection_);
    auto* frame = qobject_cast<CEventDataFrame*>(area_->currentSubWindow());
    view_ = frame ? frame->view() : nullptr;
    if (view_) selection_ = connect(view_, &CEventDataView::SelectionChanged, this, &DataWindowCommands::Update);
    Update();
}

void DataWindowCommands::Update()
{
    statusBar_->ShowCaseCounts(view_ ? view_->countsText() : QString());
}

}  // namespace kalderon
