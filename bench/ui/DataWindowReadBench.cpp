// Reading the million-case text file into a data window's view and showing
// its first rows, offscreen, with the progress the status bar would get:
//   kalderon_ui_bench --benchmark_filter=DataWindow
#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include "CaseFileGenerator.h"
#include "import/ReadProgress.h"
#include "import/ui/CEventDataView.h"

namespace kalderon::bench {
namespace {

void BM_DataWindowReadsTextFile(benchmark::State& state)
{
    const std::string& path = SharedCaseFile(state.range(0));
    TextImportSettings settings;
    settings.useGroup = settings.useSex = settings.useBirth = true;
    std::int64_t progressCalls = 0;
    for (auto _ : state) {
        CEventDataView view;
        view.resize(800, 600);
        const ReadProgress progress = [&progressCalls](std::size_t, std::size_t) { ++progressCalls; };
        const ReadResult<void> read = view.ReadTextFile(path, settings, progress);
        if (!read) state.SkipWithError(ReaderFaultMessage(read.fault()).c_str());
        QImage image(view.size(), QImage::Format_RGB32);
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["progress calls"] = static_cast<double>(progressCalls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DataWindowReadsTextFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace kalderon::bench
