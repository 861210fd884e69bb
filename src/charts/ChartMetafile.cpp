#include "charts/ChartMetafile.h"

#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/WmfCanvas.h"
#include "common/SafeFileWrite.h"

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
    std::string reason;
    return WriteFileSafely(path, ChartMetafileBytes(chart, measuring, clientWidth, clientHeight), reason);
}

}  // namespace kalderon
