#include "app/CEventDataFrame.h"

#include <QMdiArea>

#include "app/CMainFrame.h"
#include "app/CaseChoiceCommands.h"
#include "app/ComputeCommands.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "import/ui/CEventDataView.h"

namespace kalderon {
namespace {
constexpr int kDataWindowTitle = 304;  // "Input Data"
}

CEventDataFrame::CEventDataFrame(QWidget* parent)
    : CChildFrame(resource::kDataWindow, resource::kDataMenu, parent), view_(new CEventDataView(this))
{
    setWidget(view_);
    connect(view_, &CEventDataView::SelectionChanged, this, &CChildFrame::CommandsChanged);
}

bool CEventDataFrame::HandlesCommand(int id) const
{
    return id == command::kSelectAll || id == command::kViewAllColumns ||
           (id == command::kCopy && view_->HasSelection()) || ComputeCommandEnabled(*view_, id) ||
           CaseChoiceCommandEnabled(*view_, id);
}

bool CEventDataFrame::CommandChecked(int id) const
{
    return id == command::kViewAllColumns && view_->showsAllColumns();
}

void CEventDataFrame::RunCommand(int id)
{
    if (id == command::kCopy) view_->CopySelection();
    if (id == command::kSelectAll) view_->SelectAll();
    if (id == command::kViewAllColumns) {
        view_->ShowAllColumns(!view_->showsAllColumns());
        emit CommandsChanged();
    }
    auto* mainFrame = qobject_cast<CMainFrame*>(mdiArea() ? mdiArea()->window() : nullptr);
    if (mainFrame && IsComputeCommand(id)) RunComputeCommand(*mainFrame, *view_, id);
    if (mainFrame && IsCaseChoiceCommand(id)) {
        RunCaseChoiceCommand(*mainFrame, *view_, id);
        emit CommandsChanged();
    }
}

void CEventDataFrame::SetSource(const std::string& source)
{
    view_->setSourcePath(source);
    setWindowTitle(UiString(kDataWindowTitle) + QStringLiteral("  ") + DisplayText(source));
}

}  // namespace kalderon
