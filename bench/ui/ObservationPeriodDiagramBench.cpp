// Painting the observation-period diagram of the parameter dialogs over a
// million cases, offscreen:
//   kalderon_ui_bench [benchmark options]
#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include "SharedDataSet.h"
#include "analysis/ui/ObservationPeriodDiagram.h"

namespace kalderon::bench {
namespace {

// One paint of a dialog-sized diagram in the given mode.
void PaintDiagram(benchmark::State& state, std::vector<CCaseRecord>& cases, CAnalysisData& data)
{
    ObservationPeriodDiagram diagram(&data, &cases, static_cast<std::int32_t>(state.range(0)));
    diagram.resize(560, 140);
    QImage image(diagram.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        diagram.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    diagram.StopAnimation();
    state.counters["cases"] = static_cast<double>(cases.size());
}

void BM_PaintDiagram(benchmark::State& state)
{
    DataSet& set = SharedDataSet(1'000'000);
    set.analysis.PrepareTimeWindow();
    PaintDiagram(state, set.cases.records, set.analysis);
}
BENCHMARK(BM_PaintDiagram)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Every case invalid but the last: the one walk over the whole list.
void BM_PaintDiagramMostlyInvalid(benchmark::State& state)
{
    DataSet& set = SharedDataSet(1'000'000);
    set.analysis.PrepareTimeWindow();
    std::vector<CCaseRecord> cases = set.cases.records;
    for (size_t k = 0; k + 1 < cases.size(); ++k) cases[k].isValid = false;
    PaintDiagram(state, cases, set.analysis);
}
BENCHMARK(BM_PaintDiagramMostlyInvalid)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalderon::bench

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
