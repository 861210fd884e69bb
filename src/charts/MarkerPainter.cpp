#include "charts/MarkerPainter.h"

#include <cmath>

#include "charts/Canvas.h"

namespace kalderon {

void DrawMarker(Canvas& canvas, const CMarkerStyle& marker, int x, int y, int size)
{
    const int b = size;
    canvas.SelectPen(kPenSolid, marker.lineColor);
    canvas.SelectBrush(marker.fillColor);
    switch (marker.symbol) {
    case kSymbolCircle: canvas.Ellipse({x - b, y - b, x + b, y + b}); break;
    case kSymbolSquare: canvas.Rectangle({x - b, y - b, x + b, y + b}); break;
    case kSymbolTriangle: {
        const int c = static_cast<int>(b * std::cos(0.5236));
        const int base = y + b / 4 + b / 2;
        const ChartPoint points[] = {{x, y + b / 4 - b}, {x + c, base}, {x - c, base}};
        canvas.Polygon(points);
        break;
    }
    case kSymbolDiagonalCross:
        canvas.Line(x - b, y - b, x + b + 1, y + b + 1);
        canvas.Line(x + b, y - b, x - b - 1, y + b + 1);
        break;
    case kSymbolUprightCross:
        canvas.Line(x, y - b, x, y + b + 1);
        canvas.Line(x - b, y, x + b, y);
        break;
    case kSymbolVerticalBar: canvas.Line(x, y - b, x, y + b + 1); break;
    default: break;
    }
}

}  // namespace kalderon
