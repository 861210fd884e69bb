#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "SharedDataSet.h"
#include "analysis/ParameterChoices.h"
#include "charts/ChartProfile.h"
#include "charts/ChartRenderer.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/ImageApplication.h"
#include "charts/qt/QtCanvas.h"
#include "stats/ProductLimit.h"

namespace kalderon::bench {
namespace {

// The product-limit chart of the generated cases in their 5 groups, as a
// new chart window shows it.
LifeTableChart& ProductLimitChart(std::int64_t count)
{
    static LifeTableChart chart;
    static std::int64_t built = 0;
    if (built != count) {
        DataSet& data = SharedDataSet(count);
        ApplyParameterChoices(data.analysis, ParameterChoices{"1", 0, ".95"});
        (void)ComputeProductLimit(data.analysis, data.cases, true);  // never refused without relative survival
        const MemoryChartProfile builtInDefaults;
        chart = LifeTableChart();
        chart.InitFromAnalysis(data.analysis, kChartProductLimit, 0, builtInDefaults);
        built = count;
    }
    return chart;
}

// One redraw of a 1000 x 700 window: what the chart view's paint does,
// without and with the numbers at risk.
void BM_ProductLimitChartRedraw(benchmark::State& state)
{
    EnsureImageApplication();
    LifeTableChart& chart = ProductLimitChart(state.range(0));
    chart.showNumbersAtRisk = state.range(1) != 0;
    QImage window(1000, 700, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&window);
        painter.fillRect(window.rect(), Qt::white);
        QtCanvas canvas(painter);
        DrawChart(chart, canvas, WindowSurface(window.width(), window.height()));
    }
    std::int64_t rows = 0;
    for (const CGroupResult& g : chart.analysis.groupResults) rows += static_cast<std::int64_t>(g.timePoints.size());
    state.counters["series"] = chart.seriesCount;
    state.counters["timePoints"] = static_cast<double>(rows);
}

BENCHMARK(BM_ProductLimitChartRedraw)
    ->ArgNames({"cases", "atRisk"})
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench
