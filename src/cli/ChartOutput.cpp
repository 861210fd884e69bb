#include "cli/ChartOutput.h"

#include "charts/ChartFile.h"
#include "charts/ChartProfile.h"
#include "charts/LifeTableChart.h"
#include "charts/qt/ChartImage.h"
#include "stats/ConditionalSurvival.h"
#include "batch/BatchMessages.h"
#include "cli/BatchRunner.h"
#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon::batch {
namespace {

bool DrawPictures(const ChartOutputs& outputs, LifeTableChart& chart, std::ostream& err)
{
    if (!outputs.pngPath.empty() && !WriteChartPng(chart, outputs.pngPath, outputs.width, outputs.height)) {
        WriteMessage(err, FormatText(text::kBatchCannotWrite, outputs.pngPath));
        return false;
    }
    if (!outputs.svgPath.empty() && !WriteChartSvg(chart, outputs.svgPath, outputs.width, outputs.height)) {
        WriteMessage(err, FormatText(text::kBatchCannotWrite, outputs.svgPath));
        return false;
    }
    return true;
}

}  // namespace

bool WriteAnalysisChart(const ChartOutputs& outputs, const AnalysisOutcome& analysis, std::ostream& err)
{
    if (analysis.chartKind < 0) {
        WriteMessage(err, text::kBatchNoChart);
        return false;
    }
    const MemoryChartProfile builtInDefaults;
    LifeTableChart chart;
    chart.InitFromAnalysis(analysis.ChartData(), analysis.chartKind, analysis.chartExtra, builtInDefaults);
    chart.showNumbersAtRisk = outputs.riskTable;
    // Drawn first, so that the file keeps the areas and font heights of a
    // drawing as a saved chart window does.
    if (!DrawPictures(outputs, chart, err)) return false;
    if (!outputs.chartPath.empty() && !WriteChartFile(chart, outputs.chartPath)) {
        WriteMessage(err, FormatText(text::kBatchCannotWrite, outputs.chartPath));
        return false;
    }
    return true;
}

bool WriteConditionalChart(const ChartOutputs& outputs, const std::string& pngPath, const AnalysisOutcome& analysis,
                           double from, std::ostream& err)
{
    const MemoryChartProfile builtInDefaults;
    LifeTableChart chart;
    const ResultReport& report = analysis.report;
    chart.InitFromAnalysis(WithConditionalCurves(report.data(), report.kind(), from), analysis.chartKind, 0,
                           builtInDefaults);
    if (!WriteChartPng(chart, pngPath, outputs.width, outputs.height)) {
        WriteMessage(err, FormatText(text::kBatchCannotWrite, pngPath));
        return false;
    }
    return true;
}

int RedrawChartFile(const ChartOutputs& outputs, std::ostream& err)
{
    LifeTableChart chart;
    const ChartFileStatus status = OpenChartFile(outputs.openPath, chart);
    if (status != ChartFileStatus::kOk) {
        err << ChartFileMessage(status, outputs.openPath) << "\n";
        return kExitUsage;
    }
    if (outputs.riskTable && !chart.IsProductLimit()) {
        WriteMessage(err, FormatText(text::kBatchRiskTableNeedsProductLimit, outputs.openPath));
        return kExitUsage;
    }
    chart.showNumbersAtRisk = outputs.riskTable;
    return DrawPictures(outputs, chart, err) ? kExitSuccess : kExitUsage;
}

}  // namespace kalderon::batch
