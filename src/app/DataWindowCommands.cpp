#include "app/DataWindowCommands.h"

#include <QAction>
#include <QMdiArea>

#include "app/CEventDataFrame.h"
#include "common/ui/MainStatusBar.h"
#include "import/ui/CEventDataView.h"

namespace kalderon {

DataWindowCommands::DataWindowCommands(QMdiArea* area, QAction* copy, QAction* selectAll, MainStatusBar* statusBar)
    : QObject(area), area_(area), copy_(copy), selectAll_(selectAll), statusBar_(statusBar)
{
    connect(area_, &QMdiArea::subWindowActivated, this, &DataWindowCommands::Follow);
    connect(copy_, &QAction::triggered, this, [this] {
        if (view_) view_->CopySelection();
    });
    connect(selectAll_, &QAction::triggered, this, [this] {
        if (view_) view_->SelectAll();
    });
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
    copy_->setEnabled(view_ && view_->HasSelection());
    selectAll_->setEnabled(view_ != nullptr);
    statusBar_->ShowCaseCounts(view_ ? view_->countsText() : QString());
}

}  // namespace kalderon
