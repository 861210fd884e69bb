// The chart file reader, then drawing the chart it read to a picture.
#include <string>

#include "charts/ChartFileFormat.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/ChartImage.h"

using namespace kalderon;

namespace {

// The font library keeps every face it was asked for; random face names
// would make that cache, not the chart code, grow from input to input.
void KeepFaceNamesFew(LifeTableChart& chart)
{
    for (ScaledFont* font : {&chart.titleFont, &chart.timeAxis.labelFont, &chart.timeAxis.numberFont,
                             &chart.survivalAxis.labelFont, &chart.survivalAxis.numberFont, &chart.legend.legendFont})
        font->logFont.SetFaceName(font->logFont.FaceName().empty() ? "" : "DejaVu Sans");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LifeTableChart chart;
    if (ParseChartFile(std::string(reinterpret_cast<const char*>(data), size), chart) == ChartFileStatus::kOk) {
        KeepFaceNamesFew(chart);
        RenderChartImage(chart, 320, 240);
    }
    return 0;
}
