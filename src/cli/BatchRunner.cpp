#include "cli/BatchRunner.h"

#include <algorithm>
#include <utility>

#include "analysis/CompetingCodes.h"
#include "analysis/CoxAnalysis.h"
#include "analysis/ParameterChoices.h"
#include "analysis/PeriodOfInterest.h"
#include "analysis/RunAnalysis.h"
#include "cli/BatchMessages.h"
#include "cli/CaseChoiceInput.h"
#include "cli/ChartOutput.h"
#include "cli/DatabaseInputReader.h"
#include "cli/PopulationInput.h"
#include "cli/ReportFiles.h"
#include "common/LineEnds.h"
#include "common/SafeFileWrite.h"
#include "common/TextFormat.h"
#include "import/NoValidCaseReason.h"
#include "import/TextFileReader.h"
#include "resources/Texts.h"
#include "results/ReportClock.h"
#include "results/ResultWorkbook.h"
#include "stats/DateCheck.h"

namespace kalderon::batch {
namespace {

// The event code to use.  A code no valid case carries is analysed too:
// every case is then censored, which standard error notes.
std::string ChooseEventCode(const BatchOptions& options, const CAnalysisData& data, std::ostream& err)
{
    const std::vector<std::string>& codes = data.statusCodes;
    if (options.eventCode) {
        const bool noted = options.analysis != kCumulativeIncidence;  // ChooseCauses notes each cause's codes
        if (noted && std::find(codes.begin(), codes.end(), *options.eventCode) == codes.end())
            WriteMessage(err, FormatText(text::kBatchEventNeverSeen, *options.eventCode, QuotedList(codes)));
        return *options.eventCode;
    }
    const std::string& taken = codes[DefaultEventCodeIndex(codes)];
    if (codes.size() > 1) WriteMessage(err, FormatText(text::kBatchEventTaken, QuotedList(codes), taken));
    return taken;
}

// The causes of a cumulative incidence: the codes of --event and of
// --competing; a code named twice is refused, one that no case carries noted.
std::optional<int> ChooseCauses(const BatchOptions& options, const std::string& eventCodes, CAnalysisData& data,
                                std::ostream& err)
{
    const std::vector<std::string> competing = SplitCodes(options.competingCodes);
    if (const Refusal refusal = SetCompetingCodes(data, SplitCodes(eventCodes), competing)) {
        WriteMessage(err, *refusal);
        return kExitUsage;
    }
    std::vector<std::string> named = data.incidenceCodes;
    named.insert(named.end(), competing.begin(), competing.end());
    for (const std::string& code : CodesNotSeen(data, named))
        WriteMessage(err, FormatText(text::kBatchCauseNeverSeen, code, QuotedList(data.statusCodes)));
    return std::nullopt;
}

CoxModelChoice CoxModelChoiceOf(const BatchOptions& options, const std::string& eventCodes)
{
    return {SplitCodes(options.coxCovariates), SplitCodes(options.coxFactors), options.coxReferences,
            SplitCodes(options.coxStrata),     SplitCodes(eventCodes),         options.coxTies,
            options.coxCurvesBy};
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
    if (options.analysisToWrite &&
        !WriteFile(options.writeAnalysisPath,
                   AnalysisFileText(*options.analysisToWrite, options.writeAnalysisPath), error)) {
        WriteMessage(err, error);
        return kExitUsage;
    }
    if (options.isDatabase) {
        if (const std::optional<int> exitCode = ReadDatabaseInput(options, dataSet, out, err)) return *exitCode;
    } else if (ReadResult<DataSet> read = ReadTextFile(options.inputPath, options.import); read) {
        dataSet = std::move(*read);
        for (const std::string& note : dataSet.notes) WriteMessage(err, note);
    } else {
        WriteMessage(err, FaultMessage(read.fault()));
        return kExitUsage;
    }
    for (const std::string& line : DateCheckLines(CheckDates(dataSet.cases.records, dataSet.hasBirthColumn, ReportTime())))
        WriteMessage(err, line);
    const bool fileGroupGiven = options.isDatabase ? !options.database.group.empty() : options.import.useGroup;
    if (const std::optional<int> exitCode = ApplyCaseChoiceOptions(options, fileGroupGiven, dataSet, err))
        return *exitCode;
    CAnalysisData& data = dataSet.analysis;
    if (const Refusal refusal = NoValidCasesRefusal(data)) {
        if (const std::optional<std::string> reason =
                NoValidCaseReason(dataSet, options.isDatabase ? nullptr : &options.import))
            WriteMessage(err, *reason);
        err << *refusal << "\n";
        return kExitAnalysisFailed;
    }

    const std::string eventCode = ChooseEventCode(options, data, err);
    ApplyParameterChoices(data, ParameterChoices{eventCode, options.timeUnit, options.ciLevelText});
    if (options.analysis == kCumulativeIncidence)
        if (const std::optional<int> exitCode = ChooseCauses(options, eventCode, data, err)) return *exitCode;
    // The period of interest is taken as the parameter dialog takes a typed
    // one (its order was checked with the options); n and the width follow.
    if (TakePeriodOfInterest(data, options.periodBegin, options.periodEnd) != PeriodFault::kNone) {
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
    AnalysisRequest request{options.analysis, stratified, options.compare, options.standardise,
                            TextBuilding::kWhenWritten};
    request.survivalAt = options.survivalAt;
    request.conditionalFrom = options.conditionalFrom;
    request.restrictedMean = options.restrictedMean;
    request.restrictionTime = options.restrictionTime;
    request.crudeProbabilities = options.crudeProbabilities;
    request.standardiseMethod = options.standardiseMethod;
    const AnalysisOutcome outcome = options.analysis == kCoxRegression
                                        ? RunCoxRegression(dataSet, CoxModelChoiceOf(options, eventCode))
                                        : RunAnalysis(std::move(data), std::move(dataSet.cases), request);
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
