#pragma once

#include <string>

namespace kalderon {

class Canvas;
class LifeTableChart;

// The chart as a 16-bit Windows metafile, drawn in export mode on the
// export surface of a window of the given client size: 2000 units wide with
// the window's proportions, markers grown with the picture.  Texts are
// measured on `measuring`, the screen.
std::string ChartMetafileBytes(LifeTableChart& chart, Canvas& measuring, int clientWidth, int clientHeight);

// Replaces the file at path with the chart's metafile; false when it
// cannot be written.
bool ExportChartMetafile(LifeTableChart& chart, const std::string& path, Canvas& measuring, int clientWidth,
                         int clientHeight);

}  // namespace kalderon
