#pragma once

#include "charts/SeriesStyle.h"

namespace kalderon {

class Canvas;

// A confidence bar from (x, y1) to (x, y2): width one-unit lines of the CI
// pen, the first at x − width/2, and solid caps of half width capHalfWidth
// at both ends, thickened inward one unit per unit of width.
void DrawCiBar(Canvas& canvas, const CLineStyle& ci, int width, int x, int y1, int y2, int capHalfWidth);

}  // namespace kalderon
