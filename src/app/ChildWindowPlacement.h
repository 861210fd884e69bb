#pragma once

#include <QRect>
#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace kalderon {

// Where the n-th window of a cascade stands in a work area of `area` size:
// stepped down and right by `step`, as large as the area less the steps of
// the cascade, but never below two thirds of the area; a window that would
// reach beyond the area starts a new cascade at the top left.
QRect CascadePlace(int index, int count, QSize area, int step);

// A new child: three quarters of the work area (at least 400 by 300 where
// the area has room), one step below and right of the active child, and
// wholly inside the area, so that its title bar and close button show.
QRect NewChildPlace(QSize area, const QRect& activeChild, int step);

// Takes the keys off the Close entry of the child's own window menu, so
// that the main frame's Close (Ctrl+W, Ctrl+F4) is the only one with them.
void LeaveCloseKeysToTheFrame(QMdiSubWindow* child);

// Lays the children of the area out as a cascade of CascadePlace.
void CascadeChildren(QMdiArea* area);
// Sizes and places a child just added to the area.
void PlaceNewChild(QMdiArea* area, QMdiSubWindow* child, QMdiSubWindow* previouslyActive);

}  // namespace kalderon
