#include "app/CEventDataFrame.h"

#include "common/ui/DisplayText.h"
#include "common/ui/ResourceIds.h"
#include "import/ui/CEventDataView.h"

namespace kalderon {
namespace {
constexpr int kDataWindowTitle = 304;  // "Input Data"
}

CEventDataFrame::CEventDataFrame(QWidget* parent)
    : CChildFrame(resource::kDataWindow, resource::kDataMenu, parent), view_(new CEventDataView(this))
{
    setWidget(view_);
}

void CEventDataFrame::SetSource(const std::string& source)
{
    view_->setSourcePath(source);
    setWindowTitle(UiString(kDataWindowTitle) + QStringLiteral("  ") + DisplayText(source));
}

}  // namespace kalderon
