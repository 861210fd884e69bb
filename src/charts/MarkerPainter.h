#pragma once

#include "charts/SeriesStyle.h"

namespace kalderon {

class Canvas;

// Draws the marker symbol centred at (x, y) with half extent size; symbols
// outside 1..6 draw nothing.
void DrawMarker(Canvas& canvas, const CMarkerStyle& marker, int x, int y, int size);

}  // namespace kalderon
