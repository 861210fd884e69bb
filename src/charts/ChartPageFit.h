#pragma once

#include "charts/ChartTypes.h"

namespace kalderon {

class Canvas;
class LifeTableChart;

// Where a chart is drawn on a printed page, in device units of the page's
// printable area: the drawing area of the chart there.
//
// The chart keeps the proportions of its window and fills as much of the
// page as they allow, centred.  Where its texts would still reach beyond
// the sides (a title or a legend wider than the window), the drawing is
// made lower, which makes its fonts smaller, until every text lies inside.
// `measuring` measures the texts as the page will draw them; the chart's
// stored layout is that of the last trial drawing.
ChartRect FitChartToPage(LifeTableChart& chart, Canvas& measuring, int pageWidth, int pageHeight, int windowWidth,
                         int windowHeight);

}  // namespace kalderon
