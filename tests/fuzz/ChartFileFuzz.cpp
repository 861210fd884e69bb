// The chart file reader, then drawing the chart it read to a picture.
#include <string>

#include "charts/ChartFileFormat.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/ChartImage.h"

using namespace kalderon;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LifeTableChart chart;
    if (ParseChartFile(std::string(reinterpret_cast<const char*>(data), size), chart) == ChartFileStatus::kOk)
        RenderChartImage(chart, 320, 240);
    return 0;
}
