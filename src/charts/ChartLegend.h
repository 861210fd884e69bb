#pragma once

#include <cstdint>
#include <string>

#include "charts/ChartTypes.h"
#include "charts/ScaledFont.h"
#include "resources/Texts.h"

namespace kalderon {

enum LegendPosition : std::int32_t {
    kLegendLowerLeft = 0,   // inside the plot
    kLegendUpperRight = 1,  // inside the plot
    kLegendBelow = 2,       // outside the plot, below the time axis
};

// The legend of a survival chart: one entry per shown group and one for the
// confidence intervals.
struct CChartLegend {
    CChartLegend() : legendFont{LogFont::Make(12, 400, "Arial"), 35.0f} {}

    std::string registryKey;
    std::string ciLabel;
    std::string ciPrefix = text::kCiPrefix95;
    std::int32_t legendPosition = kLegendLowerLeft;
    ChartRect areaRect;
    std::int32_t showLegend = 1;
    ScaledFont legendFont;
    ColorRef legendColor = 0;
    std::int32_t tickDivisor = 20;

    std::string CiText() const { return ciPrefix + ciLabel; }

    bool operator==(const CChartLegend&) const = default;
};

}  // namespace kalderon
