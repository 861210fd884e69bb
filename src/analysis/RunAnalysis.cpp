#include "analysis/RunAnalysis.h"

#include "analysis/AgeStandardisedSurvival.h"
#include "analysis/StandardisedChartSeries.h"
#include "charts/LifeTableChart.h"
#include "resources/StringTable.h"
#include "results/ComparisonReport.h"
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
std::optional<AnalysisKind> Compute(Analysis analysis, CAnalysisData& data, const CaseList& cases, bool stratified,
                                    std::string& refusal)
{
    switch (analysis) {
    case Analysis::LifeTable:
        if (ComputeLifeTable(data, cases, stratified)) return kLifeTable;
        break;
    case Analysis::ProductLimit:
        if (ComputeProductLimit(data, cases, stratified)) return kProductLimit;
        break;
    case Analysis::Period:
        if (ComputePeriodAnalysis(data, cases, stratified)) return kPeriodAnalysis;
        break;
    case Analysis::Trend:
        if (ComputeTrend(data, cases, stratified, refusal)) return kTrend;
        return std::nullopt;
    case Analysis::Smr:
        if (ComputeSmrSir(data, cases, stratified)) return kSmrSir;
        break;
    }
    refusal = data.relativeSurvival ? RelativeSurvivalRefusal(data) : std::string();
    if (refusal.empty() && data.UsesNetSurvival()) refusal = text::kNetSurvivalUndefined;
    if (refusal.empty()) refusal = "the analysis cannot be computed with these parameters";
    return std::nullopt;
}

}  // namespace

bool CanCompareGroups(Analysis analysis)
{
    return analysis == Analysis::LifeTable || analysis == Analysis::ProductLimit;
}

bool CanStandardise(AnalysisKind kind, std::int32_t periodTechnique)
{
    return kind == kLifeTable || (kind == kPeriodAnalysis && periodTechnique == 0);
}

bool CanStandardise(Analysis analysis, std::int32_t periodTechnique)
{
    return analysis == Analysis::LifeTable || (analysis == Analysis::Period && periodTechnique == 0);
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
    if (const std::optional<std::string> refusal = NoValidCasesRefusal(data)) {
        outcome.refusal = *refusal;
        return outcome;
    }
    if (progress) progress(AnalysisStage::kComputing);
    const std::optional<AnalysisKind> kind =
        Compute(request.analysis, data, cases, request.stratified, outcome.refusal);
    if (!kind) return outcome;
    std::optional<GroupComparison> comparison;
    if (request.compareGroups && HasGroupComparison(*kind))
        comparison = CompareGroups(data, cases, *kind, request.stratified);
    std::optional<StandardisedTexts> standardised;
    if (request.standardise != kNoStandardisation && data.relativeSurvival &&
        CanStandardise(*kind, data.periodTechnique)) {
        const std::vector<StandardisedGroup> groups =
            StandardiseSurvival(data, cases, *kind, request.stratified, request.standardise);
        standardised = WriteStandardisedSection(groups, request.standardise);
        outcome.chartData = WithStandardisedSeries(data, groups, request.standardise);
    }

    if (progress) progress(AnalysisStage::kBuildingReport);
    outcome.chartKind = ChartKindOfAnalysis(*kind, data.periodTechnique);
    outcome.chartExtra = outcome.chartKind == kChartTrend ? data.survivalYears : 0;
    outcome.report.SetResults(std::move(data), *kind, FormatReportTimeStamp(ReportTime()));
    if (standardised) outcome.report.AppendSection(standardised->report, standardised->exportText);
    if (comparison)
        outcome.report.AddComparison(WriteComparisonSection(*comparison, outcome.report.data().ciLevelText));
    outcome.kind = kind;
    return outcome;
}

}  // namespace kalderon
