#include "batch/PreparedRun.h"

#include <algorithm>

#include "analysis/CompetingCodes.h"
#include "analysis/ParameterChoices.h"
#include "analysis/PeriodOfInterest.h"
#include "batch/BatchMessages.h"
#include "batch/DatabaseInputReader.h"
#include "batch/PopulationInput.h"
#include "common/TextFormat.h"
#include "import/TextFileReader.h"
#include "resources/Texts.h"
#include "results/ReportClock.h"
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
            options.coxCurvesBy,               SplitCodes(options.coxCurveValues)};
}

}  // namespace

std::optional<int> ReadInput(const BatchOptions& options, DataSet& dataSet, std::ostream& out, std::ostream& err)
{
    if (options.isDatabase) {
        if (const std::optional<int> exitCode = ReadDatabaseInput(options, dataSet, out, err)) return exitCode;
        dataSet.source = {options.inputPath, true, {}, options.database};
    } else if (ReadResult<DataSet> read = ReadTextFile(options.inputPath, options.import); read) {
        dataSet = std::move(*read);
        for (const std::string& note : dataSet.notes) WriteMessage(err, note);
    } else {
        WriteMessage(err, FaultMessage(read.fault()));
        return kExitUsage;
    }
    for (const std::string& line : DateCheckLines(CheckDates(dataSet.cases.records, dataSet.hasBirthColumn, ReportTime())))
        WriteMessage(err, line);
    return std::nullopt;
}

std::optional<int> PrepareAnalysis(const BatchOptions& options, DataSet& dataSet, AnalysisToRun& run,
                                   std::ostream& err)
{
    CAnalysisData& data = dataSet.analysis;
    const std::string eventCode = ChooseEventCode(options, data, err);
    ApplyParameterChoices(data, ParameterChoices{eventCode, options.timeUnit, options.ciLevelText});
    if (options.analysis == kCumulativeIncidence)
        if (const std::optional<int> exitCode = ChooseCauses(options, eventCode, data, err)) return exitCode;
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
        if (const std::optional<int> exitCode = PreparePopulation(options, data, err)) return exitCode;
    }

    const bool stratified = options.stratified.value_or(dataSet.hasGroupColumn);
    AnalysisRequest& request = run.request;
    request = AnalysisRequest{options.analysis, stratified, options.compare, options.standardise};
    request.survivalAt = options.survivalAt;
    request.conditionalFrom = options.conditionalFrom;
    request.restrictedMean = options.restrictedMean;
    request.restrictionTime = options.restrictionTime;
    request.crudeProbabilities = options.crudeProbabilities;
    request.standardiseMethod = options.standardiseMethod;
    request.chartWanted = options.chart.any();
    if (options.analysis == kCoxRegression) run.coxModel = CoxModelChoiceOf(options, eventCode);
    return std::nullopt;
}

}  // namespace kalderon::batch
