#pragma once

namespace kalderon {

class Canvas;
class LifeTableChart;

// The surface a chart is drawn on.
struct DrawingSurface {
    int width = 0;   // W
    int height = 0;  // H
    // Printing triples line widths and widens the offsets between the
    // confidence bars of successive series.
    bool printing = false;
    // The chart window's client height: when printing or exporting, marker
    // sizes grow by height / clientHeight (not at all when it is 0).
    int clientHeight = 0;
};

// A window's client area.
DrawingSurface WindowSurface(int clientWidth, int clientHeight);
// A printer page of the given size in device pixels.
DrawingSurface PrintSurface(int pageWidth, int pageHeight, int clientHeight);
// A metafile export: 2000 units wide with the window's proportions (a window
// without client area gives a 2000 x 1500 picture).
DrawingSurface ExportSurface(int clientWidth, int clientHeight);

// Draws the whole chart: layout, title, legend, axes, the numbers at risk
// when shown, confidence intervals, curves and markers.  Stores the plot rectangle, the axis and legend areas,
// the font heights used and the axes' tick divisors in the chart.
void DrawChart(LifeTableChart& chart, Canvas& canvas, const DrawingSurface& surface);

}  // namespace kalderon
