#include "cli/BatchRunner.h"

#include <algorithm>
#include <utility>

#include "analysis/CoxAnalysis.h"
#include "analysis/RunAnalysis.h"
#include "batch/BatchMessages.h"
#include "batch/CaseChoiceInput.h"
#include "batch/PreparedRun.h"
#include "cli/ChartOutput.h"
#include "cli/ReportFiles.h"
#include "common/LineEnds.h"
#include "common/SafeFileWrite.h"
#include "common/TextFormat.h"
#include "import/NoValidCaseReason.h"
#include "resources/Texts.h"
#include "results/ResultWorkbook.h"

namespace kalderon::batch {
namespace {

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
    std::string error;
    if (options.analysisToWrite &&
        !WriteFile(options.writeAnalysisPath,
                   AnalysisFileText(*options.analysisToWrite, options.writeAnalysisPath), error)) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    DataSet dataSet;
    if (const std::optional<int> exitCode = ReadInput(options, dataSet, out, err)) return *exitCode;
    CaseChoice choice;
    if (const std::optional<int> exitCode = ReadCaseChoice(options, dataSet, choice, err)) return *exitCode;
    if (choice.any()) ApplyCaseChoice(dataSet, choice);
    if (const Refusal refusal = NoValidCasesRefusal(dataSet.analysis)) {
        if (const std::optional<std::string> reason =
                NoValidCaseReason(dataSet, options.isDatabase ? nullptr : &options.import))
            WriteMessage(err, *reason);
        err << *refusal << "\n";
        return kExitAnalysisFailed;
    }
    AnalysisToRun run;
    if (const std::optional<int> exitCode = PrepareAnalysis(options, dataSet, run, err)) return *exitCode;
    run.request.textBuilding = TextBuilding::kWhenWritten;
    const AnalysisOutcome outcome =
        run.coxModel ? RunCoxRegression(dataSet, *run.coxModel)
                     : RunAnalysis(std::move(dataSet.analysis), std::move(dataSet.cases), run.request);
    if (!outcome.succeeded()) {
        WriteMessage(err, *outcome.refusal);
        return kExitAnalysisFailed;
    }
    if (outcome.note) WriteMessage(err, *outcome.note);

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
    if (!options.summaryCsvPath.empty() &&
        !WriteFile(options.summaryCsvPath, ToCrLf(report.summaryExportText()), error)) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    std::string reason;
    if (!options.xlsxPath.empty() &&
        !Written(WriteResultWorkbook(report, options.xlsxPath, reason), options.xlsxPath, reason, error)) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    if (options.chart.any() && !WriteAnalysisChart(options.chart, outcome, err)) return kExitUsage;
    if (!options.conditionalPngPath.empty() &&
        !WriteConditionalChart(options.chart, options.conditionalPngPath, outcome, *options.conditionalFrom, err))
        return kExitUsage;
    return kExitSuccess;
}

}  // namespace kalderon::batch
