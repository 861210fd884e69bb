#pragma once

#include <cstdint>

#include "charts/ChartTypes.h"
#include "charts/SeriesStyle.h"

namespace kalderon {

class Canvas;

// The small pictures of the style dialogs, on a white area of w × h from
// the origin.

// A sample of one data series: confidence bars, the curve and two markers
// as the chart kind draws them.
void DrawSeriesPreview(Canvas& canvas, const CSeriesStyle& style, std::int32_t chartKind, int w, int h);

// As many one-unit lines of the pen style as the width, one below the
// other, centred in the item and 5 units in from both sides.
void DrawPenSample(Canvas& canvas, const ChartRect& item, int penStyle, int width, ColorRef color);

// The symbol centred in the item, half the item height less 2 in size.
void DrawMarkerSample(Canvas& canvas, const ChartRect& item, const CMarkerStyle& marker);

}  // namespace kalderon
