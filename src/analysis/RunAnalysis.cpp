#include "analysis/RunAnalysis.h"

#include "analysis/AgeStandardisedSurvival.h"
#include "analysis/StandardisedChartSeries.h"
#include "charts/LifeTableChart.h"
#include "resources/StringTable.h"
#include "results/ComparisonReport.h"
#include "results/StandardisedSection.h"
#include "results/ReportClock.h"
#include "stats/ExpectedSurvival.h"
#include "stats/GroupComparison.h"
#include "stats/LifeTable.h"
#include "stats/PeriodAnalysis.h"
#include "stats/ProductLimit.h"
#include "stats/SmrSir.h"
#include "stats/Trend.h"

namespace kalderon {
namespace {

// Runs the computation; the kind of its report, or nothing with the reason
// in `refusal`.
std::optional<AnalysisKind> Compute(AnalysisKind kind, CAnalysisData& data, const CaseList& cases, bool stratified,
                                    std::string& refusal)
{
    switch (kind) {
    case kLifeTable:
        if (ComputeLifeTable(data, cases, stratified)) return kLifeTable;
        break;
    case kProductLimit:
        if (ComputeProductLimit(data, cases, stratified)) return kProductLimit;
        break;
    case kPeriodAnalysis:
        if (ComputePeriodAnalysis(data, cases, stratified)) return kPeriodAnalysis;
        break;
    case kTrend:
        if (ComputeTrend(data, cases, stratified, refusal)) return kTrend;
        return std::nullopt;
    case kSmrSir:
        if (ComputeSmrSir(data, cases, stratified)) return kSmrSir;
        break;
    }
    refusal = data.relativeSurvival ? RelativeSurvivalRefusal(data) : std::string();
    if (refusal.empty() && data.UsesNetSurvival()) refusal = text::kNetSurvivalUndefined;
    if (refusal.empty()) refusal = "the analysis cannot be computed with these parameters";
    return std::nullopt;
}

// What the computations give before the report is built.
struct ComputedAnalysis {
    std::optional<AnalysisKind> kind;  // none: refused, with the reason in the outcome
    std::optional<GroupComparison> comparison;
    std::optional<StandardisedTexts> standardised;
};

ComputedAnalysis ComputeRequested(CAnalysisData& data, const CaseList& cases, const AnalysisRequest& request,
                                  const AnalysisProgress& progress, AnalysisOutcome& outcome)
{
    ComputedAnalysis computed;
    if (const std::optional<std::string> refusal = NoValidCasesRefusal(data)) {
        outcome.refusal = *refusal;
        return computed;
    }
    if (progress) progress(AnalysisStage::kComputing);
    computed.kind = Compute(request.analysis, data, cases, request.stratified, outcome.refusal);
    if (!computed.kind) return computed;
    const AnalysisKind kind = *computed.kind;
    if (request.compareGroups && HasGroupComparison(kind))
        computed.comparison = CompareGroups(data, cases, kind, request.stratified);
    if (request.standardise != kNoStandardisation && data.relativeSurvival &&
        CanStandardise(kind, data.periodTechnique)) {
        const std::vector<StandardisedGroup> groups =
            StandardiseSurvival(data, cases, kind, request.stratified, request.standardise);
        computed.standardised = WriteStandardisedSection(groups, request.standardise);
        outcome.chartData = WithStandardisedSeries(data, groups, request.standardise);
    }
    return computed;
}

void FillOutcome(CAnalysisData data, ComputedAnalysis computed, TextBuilding building,
                 const AnalysisProgress& progress, AnalysisOutcome& outcome)
{
    const AnalysisKind kind = *computed.kind;
    if (progress) progress(AnalysisStage::kBuildingReport);
    outcome.chartKind = ChartKindOfAnalysis(kind, data.periodTechnique);
    outcome.chartExtra = outcome.chartKind == kChartTrend ? data.survivalYears : 0;
    outcome.report.SetResults(std::move(data), kind, FormatReportTimeStamp(ReportTime()), building);
    if (computed.standardised)
        outcome.report.AppendSection(computed.standardised->report, computed.standardised->exportText);
    if (computed.comparison)
        outcome.report.AddComparison(
            WriteComparisonSection(*computed.comparison, outcome.report.data().ciLevelText));
    outcome.kind = kind;
}

}  // namespace

bool CanStandardise(AnalysisKind kind, std::int32_t periodTechnique)
{
    return kind == kLifeTable || (kind == kPeriodAnalysis && periodTechnique == kLifeTableTechnique);
}

std::optional<std::string> NoValidCasesRefusal(const CAnalysisData& data)
{
    if (data.TotalRecordsValid() > 0) return std::nullopt;
    return LoadString(500);
}

AnalysisOutcome RunAnalysis(CAnalysisData data, const CaseList& cases, const AnalysisRequest& request,
                            const AnalysisProgress& progress)
{
    AnalysisOutcome outcome;
    ComputedAnalysis computed = ComputeRequested(data, cases, request, progress, outcome);
    if (computed.kind) FillOutcome(std::move(data), std::move(computed), request.textBuilding, progress, outcome);
    return outcome;
}

AnalysisOutcome RunAnalysis(CAnalysisData data, CaseList&& cases, const AnalysisRequest& request,
                            const AnalysisProgress& progress)
{
    AnalysisOutcome outcome;
    ComputedAnalysis computed = ComputeRequested(data, cases, request, progress, outcome);
    { const CaseList released = std::move(cases); }  // freed before the report is built
    if (computed.kind) FillOutcome(std::move(data), std::move(computed), request.textBuilding, progress, outcome);
    return outcome;
}

}  // namespace kalderon
