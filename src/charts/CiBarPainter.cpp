#include "charts/CiBarPainter.h"

#include "charts/Canvas.h"

namespace kalderon {

void DrawCiBar(Canvas& canvas, const CLineStyle& ci, int width, int x, int y1, int y2, int capHalfWidth)
{
    canvas.SelectPen(ci.penStyle, ci.lineColor);
    for (int j = 0; j < width; ++j) canvas.Line(x - width / 2 + j, y1, x - width / 2 + j, y2);
    if (width < 1) return;
    canvas.SelectPen(kPenSolid, ci.lineColor);
    int a = y1;
    int b = y2;
    for (int j = 0; j < width; ++j) {
        canvas.Line(x - capHalfWidth, a, x + capHalfWidth, a);
        canvas.Line(x - capHalfWidth, b, x + capHalfWidth, b);
        const int step = b > a ? 1 : (b < a ? -1 : 0);
        a += step;
        b -= step;
    }
}

}  // namespace kalderon
