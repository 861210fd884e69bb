#include "analysis/RunAnalysis.h"

#include <cmath>

#include "analysis/AgeStandardisedSurvival.h"
#include "analysis/IncidenceChartSeries.h"
#include "analysis/PeriodOfInterest.h"
#include "analysis/StandardisedChartSeries.h"
#include "charts/LifeTableChart.h"
#include "resources/StringTable.h"
#include "resources/Texts.h"
#include "results/ComparisonReport.h"
#include "results/CrudeProbabilitySection.h"
#include "results/GrayTestSection.h"
#include "results/StandardisedSection.h"
#include "results/TimeUnitName.h"
#include "results/ReportClock.h"
#include "results/SurvivalSummaryReport.h"
#include "stats/CrudeProbability.h"
#include "stats/CumulativeIncidence.h"
#include "stats/GroupComparison.h"
#include "stats/LifeTable.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/ConditionalSurvival.h"
#include "stats/RestrictedMeanSurvival.h"
#include "stats/SurvivalAtTimes.h"
#include "common/TextFormat.h"
#include "stats/SmrSir.h"
#include "stats/TimeUnit.h"
#include "stats/Trend.h"

namespace kalderon {
namespace {

// Runs the computation of `kind` into `data`.
Refusal Compute(AnalysisKind kind, CAnalysisData& data, const CaseList& cases, bool stratified)
{
    switch (kind) {
    case kLifeTable: return ComputeLifeTable(data, cases, stratified);
    case kProductLimit: return ComputeProductLimit(data, cases, stratified);
    case kPeriodAnalysis: return ComputePeriodAnalysis(data, cases, stratified);
    case kTrend: return ComputeTrend(data, cases, stratified);
    case kSmrSir: ComputeSmrSir(data, cases, stratified); return std::nullopt;
    case kCumulativeIncidence: return ComputeCumulativeIncidence(data, cases, stratified);
    case kCoxRegression: break;  // RunCoxRegression: the model reads the data set's columns
    }
    return std::nullopt;
}

// What the computations give before the report is built.
struct ComputedAnalysis {
    AnalysisKind kind = kLifeTable;
    std::optional<GroupComparison> comparison;
    std::optional<ReportSection> standardised;
    std::optional<ReportSection> crudeProbabilities;
    SurvivalSummaries summaries;
};

// The summaries asked for, read off the computed tables.
Refusal SummariseCurves(const CAnalysisData& data, const AnalysisRequest& request, ComputedAnalysis& computed)
{
    const AnalysisKind kind = request.analysis;
    if (!HasSurvivalAtTimes(kind)) return std::nullopt;
    if (request.survivalAt)
        computed.summaries.atTimes = ReadSurvivalAtTimes(data, kind, request.stratified, *request.survivalAt);
    if (request.conditionalFrom)
        computed.summaries.conditional =
            ReadConditionalSurvival(data, kind, request.stratified, *request.conditionalFrom,
                                    request.survivalAt.value_or(DefaultChosenTimes(data.timeUnit)));
    if (request.restrictedMean && kind == kProductLimit) {
        RestrictedMeanSurvival rmst;
        if (Refusal refusal = ComputeRestrictedMeans(data, request.stratified, request.restrictionTime, rmst))
            return refusal;
        computed.summaries.restrictedMean = std::move(rmst);
    }
    return std::nullopt;
}

void AddNote(std::optional<std::string>& note, const std::string& line)
{
    note = note ? *note + "\n" + line : line;
}

// One line per group whose net survival cannot be trusted from some time on.
void AddUnstableNetSurvivalNotes(const CAnalysisData& data, std::optional<std::string>& note)
{
    if (!data.UsesNetSurvival()) return;
    for (const CGroupResult& group : data.groupResults) {
        if (group.netUnstableFromDay < 0) continue;
        AddNote(note, FormatText(text::kBatchNetSurvivalUnstable, GroupName(group.info),
                                 group.netUnstableFromDay / UnitDays(data.timeUnit), TimeUnitName(data.timeUnit)));
    }
}

// The line on a Brenner-weighted group without weights or with net survival
// that cannot be trusted.
std::string BrennerNote(const CAnalysisData& data, const StandardisedGroup& group)
{
    if (group.weightsUndefined) return FormatText(text::kBatchBrennerWeightsUndefined, group.code);
    return FormatText(text::kBatchBrennerNetUnstable, group.code, group.netUnstableFromDay / UnitDays(data.timeUnit),
                      TimeUnitName(data.timeUnit));
}

BrennerSectionStyle BrennerStyle(const CAnalysisData& data, AnalysisKind kind)
{
    return {!HasTimePoints(kind, data.periodTechnique), data.netSurvivalRaw != 0, UnitDays(data.timeUnit),
            TimeUnitName(data.timeUnit)};
}

ComputedAnalysis ComputeRequested(CAnalysisData& data, const CaseList& cases, const AnalysisRequest& request,
                                  const AnalysisProgress& progress, AnalysisOutcome& outcome)
{
    ComputedAnalysis computed;
    outcome.refusal = NoValidCasesRefusal(data);
    if (outcome.refusal) return computed;
    outcome.refusal = SummaryRequestRefusal(request, data.periodTechnique);
    if (outcome.refusal) return computed;
    if (request.crudeProbabilities) outcome.refusal = CrudeProbabilityRefusal(request.analysis, data);
    if (outcome.refusal) return computed;
    if (progress) progress(AnalysisStage::kComputing);
    const bool standardise = request.standardise != kNoStandardisation && data.relativeSurvival &&
                             CanStandardise(request.analysis, data.periodTechnique, request.standardiseMethod);
    const bool brenner = request.standardiseMethod == StandardiseMethod::kBrenner;
    // Net survival is walked with Brenner's weights too.
    data.brennerStandard = standardise && brenner ? request.standardise : kNoStandardisation;
    outcome.refusal = Compute(request.analysis, data, cases, request.stratified);
    if (outcome.refusal) return computed;
    if (request.analysis == kPeriodAnalysis) outcome.note = EmptyPeriodNote(data, cases);
    AddUnstableNetSurvivalNotes(data, outcome.note);
    if (request.analysis == kCumulativeIncidence && request.chartWanted)
        outcome.chartData = IncidenceChartData(data, cases, request.stratified);
    const AnalysisKind kind = computed.kind = request.analysis;
    if (request.compareGroups && HasGroupComparison(kind))
        computed.comparison = CompareGroups(data, cases, kind, request.stratified);
    if (standardise) {
        const std::vector<StandardisedGroup> groups =
            brenner ? StandardiseSurvivalBrenner(data, cases, kind, request.stratified, request.standardise)
                    : StandardiseSurvival(data, cases, kind, request.stratified, request.standardise);
        for (CGroupResult& group : data.groupResults) group.brenner.reset();
        computed.standardised = brenner ? WriteBrennerSection(groups, request.standardise, BrennerStyle(data, kind))
                                        : WriteStandardisedSection(groups, request.standardise);
        for (const StandardisedGroup& group : groups)
            if (group.weightsUndefined || group.netUnstableFromDay >= 0)
                AddNote(outcome.note, BrennerNote(data, group));
        if (request.chartWanted)
            outcome.chartData =
                WithStandardisedSeries(data, groups, request.standardise, HasTimePoints(kind, data.periodTechnique));
    }
    if (request.crudeProbabilities)
        computed.crudeProbabilities = WriteCrudeProbabilitySection(ComputeCrudeProbabilities(data));
    outcome.refusal = SummariseCurves(data, request, computed);
    return computed;
}

void FillOutcome(CAnalysisData data, ComputedAnalysis computed, TextBuilding building,
                 const AnalysisProgress& progress, AnalysisOutcome& outcome)
{
    const AnalysisKind kind = computed.kind;
    if (progress) progress(AnalysisStage::kBuildingReport);
    outcome.chartKind = ChartKindOfAnalysis(kind, data.periodTechnique);
    outcome.chartExtra = outcome.chartKind == kChartTrend ? data.survivalYears : 0;
    outcome.report.SetResults(std::move(data), kind, FormatReportTimeStamp(ReportTime()), building);
    if (kind == kCumulativeIncidence) {
        ReportSection tests = WriteGrayTestSection(outcome.report.data());
        outcome.report.AppendSection(tests.report, tests.exportText);
    }
    if (computed.standardised)
        outcome.report.AppendSection(computed.standardised->report, computed.standardised->exportText);
    if (computed.crudeProbabilities)
        outcome.report.AppendSection(computed.crudeProbabilities->report, computed.crudeProbabilities->exportText);
    if (computed.comparison)
        outcome.report.AddComparison(
            WriteComparisonSection(*computed.comparison, outcome.report.data().ciLevelText));
    if (!computed.summaries.empty())
        outcome.report.AddSummaries(WriteSurvivalSummaries(computed.summaries, outcome.report.data().ciLevelText));
}

}  // namespace

bool CanStandardise(AnalysisKind kind, std::int32_t periodTechnique, StandardiseMethod method)
{
    if (method == StandardiseMethod::kBrenner)
        return kind == kLifeTable || kind == kProductLimit || kind == kPeriodAnalysis;
    return kind == kLifeTable || (kind == kPeriodAnalysis && periodTechnique == kLifeTableTechnique);
}

Refusal SummaryRequestRefusal(const AnalysisRequest& request, std::int32_t periodTechnique)
{
    if (!HasSurvivalAtTimes(request.analysis)) return std::nullopt;
    const bool intervals = !HasTimePoints(request.analysis, periodTechnique);
    if (request.survivalAt)
        if (Refusal refusal = ChosenTimesRefusal(*request.survivalAt, intervals)) return refusal;
    if (request.conditionalFrom) {
        const double from = *request.conditionalFrom;
        if (!(from > 0.0) || !std::isfinite(from)) return FormatText(text::kConditionalNotPositive, from);
        if (intervals && ChosenTimesRefusal({from}, true)) return FormatText(text::kConditionalNoIntervalEnd, from);
    }
    if (request.restrictedMean && request.restrictionTime && !(*request.restrictionTime > 0.0))
        return FormatText(text::kRestrictionNotPositive, *request.restrictionTime);
    return std::nullopt;
}

Refusal NoValidCasesRefusal(const CAnalysisData& data)
{
    if (data.TotalRecordsValid() > 0) return std::nullopt;
    return LoadString(500);
}

Refusal TrendParameterRefusal(std::int32_t timeUnit, std::int32_t survivalYears, std::int32_t periodWidth)
{
    if (timeUnit != kUnitYear) return text::kNonYearTrend;
    if (survivalYears < 1 || periodWidth < 1) return text::kTrendBelowOneYear;
    return std::nullopt;
}

AnalysisOutcome RunAnalysis(CAnalysisData data, const CaseList& cases, const AnalysisRequest& request,
                            const AnalysisProgress& progress)
{
    AnalysisOutcome outcome;
    ComputedAnalysis computed = ComputeRequested(data, cases, request, progress, outcome);
    if (outcome.succeeded()) FillOutcome(std::move(data), std::move(computed), request.textBuilding, progress, outcome);
    return outcome;
}

AnalysisOutcome RunAnalysis(CAnalysisData data, CaseList&& cases, const AnalysisRequest& request,
                            const AnalysisProgress& progress)
{
    AnalysisOutcome outcome;
    ComputedAnalysis computed = ComputeRequested(data, cases, request, progress, outcome);
    { const CaseList released = std::move(cases); }  // freed before the report is built
    if (outcome.succeeded()) FillOutcome(std::move(data), std::move(computed), request.textBuilding, progress, outcome);
    return outcome;
}

}  // namespace kalderon
