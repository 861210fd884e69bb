#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace kalderon {

// The first window of a run without remembered geometry: 1000 by 700, cut
// to nine tenths of the screen's free area, centred in it.
QRect FirstWindowGeometry(QSize preferred, const QRect& available);

// Restores the size and place kept from the last run, moved onto the screen
// when it no longer fits there; else FirstWindowGeometry on the window's screen.
void PlaceMainWindow(QWidget& window);
// Keeps the window's size and place for the next run.
void StoreMainWindowGeometry(const QWidget& window);

}  // namespace kalderon
