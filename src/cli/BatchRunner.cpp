#include "cli/BatchRunner.h"

#include <algorithm>
#include <utility>

#include "analysis/ParameterChoices.h"
#include "analysis/RunAnalysis.h"
#include "cli/BatchMessages.h"
#include "cli/ChartOutput.h"
#include "cli/DatabaseInputReader.h"
#include "cli/PopulationInput.h"
#include "cli/ReportFiles.h"
#include "common/LineEnds.h"
#include "common/SafeFileWrite.h"
#include "common/TextFormat.h"
#include "import/TextFileReader.h"
#include "resources/Texts.h"

namespace kalderon::batch {
namespace {

// The event code to use.  A code no valid case carries is analysed too:
// every case is then censored, which standard error notes.
std::string ChooseEventCode(const BatchOptions& options, const CAnalysisData& data, std::ostream& err)
{
    const std::vector<std::string>& codes = data.statusCodes;
    if (options.eventCode) {
        if (std::find(codes.begin(), codes.end(), *options.eventCode) == codes.end())
            WriteMessage(err, FormatText(text::kBatchEventNeverSeen, *options.eventCode, QuotedList(codes)));
        return *options.eventCode;
    }
    if (codes.size() > 1)
        WriteMessage(err, FormatText(text::kBatchEventTaken, QuotedList(codes), codes.front()));
    return codes.front();
}

bool Written(bool ok, const std::string& path, const std::string& reason, std::string& error)
{
    if (!ok) error = FormatText(text::kBatchCannotWriteBecause, path, reason);
    return ok;
}

bool WriteFile(const std::string& path, const std::string& bytes, std::string& error)
{
    std::string reason;
    return Written(WriteFileSafely(path, bytes, reason), path, reason, error);
}

}  // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    if (!options.chart.openPath.empty()) return RedrawChartFile(options.chart, err);
    DataSet dataSet;
    std::string error;
    if (options.isDatabase) {
        if (const std::optional<int> exitCode = ReadDatabaseInput(options, dataSet, out, err)) return *exitCode;
    } else if (ReadResult<DataSet> read = ReadTextFile(options.inputPath, options.import); read) {
        dataSet = std::move(*read);
        for (const std::string& note : dataSet.notes) WriteMessage(err, note);
    } else {
        WriteMessage(err, FaultMessage(read.fault()));
        return kExitUsage;
    }
    CAnalysisData& data = dataSet.analysis;
    if (const Refusal refusal = NoValidCasesRefusal(data)) {
        err << *refusal << "\n";
        return kExitAnalysisFailed;
    }

    const std::string eventCode = ChooseEventCode(options, data, err);
    // The period of interest is widened and clamped with the window, as the
    // parameter dialog does it; the dialog then takes n and the width.
    data.periodBegin = options.periodBegin;
    data.periodEnd = options.periodEnd;
    ApplyParameterChoices(data, ParameterChoices{eventCode, options.timeUnit, options.ciLevelText});
    if (options.analysis == kPeriodAnalysis && data.periodBegin.serial() > data.periodEnd.serial()) {
        WriteMessage(err, FormatText(text::kBatchPeriodOutsideWindow, options.periodBegin.displayText(),
                                     options.periodEnd.displayText(), data.windowBegin.displayText(),
                                     data.windowEnd.displayText()));
        return kExitUsage;
    }
    data.periodTechnique = options.periodTechnique;
    data.survivalYears = options.survivalYears;
    data.periodWidth = options.periodWidth;
    if (options.population.relativeSurvival || options.analysis == kSmrSir) {
        if (const std::optional<int> exitCode = PreparePopulation(options, data, err)) return *exitCode;
    }

    const bool stratified = options.stratified.value_or(dataSet.hasGroupColumn);
    const AnalysisRequest request{options.analysis, stratified, options.compare, options.standardise,
                                  TextBuilding::kWhenWritten};
    const AnalysisOutcome outcome = RunAnalysis(std::move(data), std::move(dataSet.cases), request);
    if (!outcome.succeeded()) {
        WriteMessage(err, *outcome.refusal);
        return kExitAnalysisFailed;
    }

    const ResultReport& report = outcome.report;
    if (!WriteReportFiles(report, options.reportPath, options.csvPath, out, error)) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    if (!options.compareCsvPath.empty() &&
        !WriteFile(options.compareCsvPath, ToCrLf(report.comparisonExportText()), error)) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    if (options.chart.any() && !WriteAnalysisChart(options.chart, outcome, err)) return kExitUsage;
    return kExitSuccess;
}

}  // namespace kalderon::batch
