#include "charts/ChartMetafile.h"

#include <filesystem>
#include <fstream>

#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/WmfCanvas.h"

namespace kalderon {

std::string ChartMetafileBytes(LifeTableChart& chart, Canvas& measuring, int clientWidth, int clientHeight)
{
    WmfCanvas canvas(measuring);
    chart.exportMode = 1;
    DrawChart(chart, canvas, ExportSurface(clientWidth, clientHeight));
    chart.exportMode = 0;
    return canvas.Bytes();
}

bool ExportChartMetafile(LifeTableChart& chart, const std::string& path, Canvas& measuring, int clientWidth,
                         int clientHeight)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    const std::string bytes = ChartMetafileBytes(chart, measuring, clientWidth, clientHeight);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace kalderon
