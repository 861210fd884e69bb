#include "app/ChildWindowPlacement.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

namespace kalderon {
namespace {

// The height of a child's title bar: one step of a cascade.
int TitleStep(const QMdiArea* area)
{
    return std::max(16, area->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area));
}

// The rectangle moved into the area, and cut to it where it is larger.
QRect Inside(QRect rect, QSize area)
{
    rect.setSize(rect.size().boundedTo(area));
    rect.moveLeft(std::clamp(rect.left(), 0, area.width() - rect.width()));
    rect.moveTop(std::clamp(rect.top(), 0, area.height() - rect.height()));
    return rect;
}

}  // namespace

QRect CascadePlace(int index, int count, QSize area, int step)
{
    const QSize smallest = area * 2 / 3;
    const int steps = std::max(0, count - 1);
    const QSize size(std::max(smallest.width(), area.width() - steps * step),
                     std::max(smallest.height(), area.height() - steps * step));
    // How many windows fit in one run before a window would leave the area.
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    const int perRun = std::max(1, room / std::max(1, step) + 1);
    const int offset = (index % perRun) * step;
    return Inside(QRect(QPoint(offset, offset), size), area);
}

QRect NewChildPlace(QSize area, const QRect& activeChild, int step)
{
    const QSize size(std::max(area.width() * 3 / 4, 400), std::max(area.height() * 3 / 4, 300));
    QRect place(QPoint(0, 0), size.boundedTo(area));
    if (activeChild.isValid()) place.moveTopLeft(activeChild.topLeft() + QPoint(step, step));
    if (place.right() >= area.width() || place.bottom() >= area.height()) place.moveTopLeft(QPoint(0, 0));
    return Inside(place, area);
}

void LeaveCloseKeysToTheFrame(QMdiSubWindow* child)
{
    if (!child->systemMenu()) return;
    for (QAction* action : child->systemMenu()->actions())
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)) ||
            action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
            action->setShortcuts({});
}

void CascadeChildren(QMdiArea* area)
{
    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* child : area->subWindowList(QMdiArea::StackingOrder))
        if (!child->isMinimized() && child->isVisible()) children << child;
    const QSize size = area->viewport()->size();
    for (qsizetype i = 0; i < children.size(); ++i) {
        children[i]->showNormal();
        children[i]->setGeometry(CascadePlace(int(i), int(children.size()), size, TitleStep(area)));
        children[i]->raise();
    }
    if (!children.isEmpty()) area->setActiveSubWindow(children.back());
}

void PlaceNewChild(QMdiArea* area, QMdiSubWindow* child, QMdiSubWindow* previouslyActive)
{
    const QRect active = previouslyActive && previouslyActive != child && !previouslyActive->isMaximized()
                             ? previouslyActive->geometry()
                             : QRect();
    child->setGeometry(NewChildPlace(area->viewport()->size(), active, TitleStep(area)));
}

}  // namespace kalderon
