#include "app/CChildFrame.h"

#include <QCloseEvent>

#include "app/Icons.h"
#include "common/ui/UiText.h"

namespace kalderon {

CChildFrame::CChildFrame(int resourceId, int menuId, QWidget* parent)
    : QMdiSubWindow(parent), resourceId_(resourceId), menuId_(menuId)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ApplicationIcon());
    // The default title is the first line of the frame's string.
    setWindowTitle(UiString(resourceId).section(QLatin1Char('\n'), 0, 0));
}

bool CChildFrame::CloseWithoutAsking()
{
    askBeforeClosing_ = false;
    const bool closed = close();
    askBeforeClosing_ = true;
    return closed;
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (askBeforeClosing_ && !QueryClose()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace kalderon
