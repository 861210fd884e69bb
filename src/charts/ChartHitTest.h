#pragma once

#include "charts/ChartTypes.h"

namespace kalderon {

class LifeTableChart;

enum class ChartElement { kNone, kTitle, kTimeAxis, kSurvivalAxis, kLegend, kPlot };

// Chart window commands that the elements open.
enum ChartCommand : int {
    kCommandNone = 0,
    kCommandEditTitle = 32776,
    kCommandEditTimeAxis = 32777,
    kCommandEditSurvivalAxis = 32778,
    kCommandEditLegend = 32780,
    kCommandFormatSeries = 32781,
};

struct ChartHit {
    ChartElement element = ChartElement::kNone;
    ChartRect frame;  // the focus frame around the element
    int command = kCommandNone;
};

// What a single click at p selects, with its focus frame; the areas are
// those of the last drawing.  The plot itself is not selectable.
ChartHit HitTestClick(const LifeTableChart& chart, ChartPoint p);

// What a double click at p opens: the title, an axis or the legend dialog,
// or inside the plot the data series dialog.
ChartHit HitTestDoubleClick(const LifeTableChart& chart, ChartPoint p);

}  // namespace kalderon
