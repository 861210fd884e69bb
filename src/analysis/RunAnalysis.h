#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "results/ResultReport.h"
#include "stats/AgeStandardisation.h"
#include "stats/AnalysisData.h"
#include "stats/CaseList.h"
#include "stats/Refusal.h"

namespace kalderon {

// Which analysis to run: stratified with one table per group, else one
// table of all cases; compareGroups adds, for the kinds that have one
// (HasGroupComparison), the comparison of groups after the report.
struct AnalysisRequest {
    AnalysisKind analysis = kLifeTable;
    bool stratified = false;
    bool compareGroups = false;
    // With relative survival, for the analyses CanStandardise accepts: an
    // IcssStandard adds the age-standardised table after the group sections
    // of the report and of the export.
    std::int32_t standardise = kNoStandardisation;
    // Texts built as they are written need not fit in memory beside the
    // results; they are written through the report's WriteReport and
    // WriteExport.
    TextBuilding textBuilding = TextBuilding::kNow;
    // For the analyses HasSurvivalAtTimes accepts: the curves at these times
    // (in the time unit); the conditional survival given survival to a time,
    // at that time plus each chosen time (or DefaultChosenTimes); and for the
    // product-limit the restricted mean survival time, up to restrictionTime
    // or DefaultRestrictionTime.  Each adds its section after the report and
    // its lines to a second export.
    std::optional<std::vector<double>> survivalAt = std::nullopt;
    std::optional<double> conditionalFrom = std::nullopt;
    bool restrictedMean = false;
    std::optional<double> restrictionTime = std::nullopt;
    // With relative survival after Ederer II in the life table: the crude
    // probabilities of death from the disease and from other causes, after
    // the age-standardised table (CrudeProbabilityRefusal says when not).
    bool crudeProbabilities = false;
    // How `standardise` weighs the age groups.
    StandardiseMethod standardiseMethod = StandardiseMethod::kTraditional;
    // Whether the outcome is to be drawn: without a chart the series only a
    // chart shows (the age-standardised curves, the cumulative incidence
    // curves) are not made.
    bool chartWanted = true;
};

// Whether the analysis has an age-standardised table to add when relative
// survival is computed: traditionally the life table, and the period
// analysis with the life table technique; with Brenner's weights also the
// product-limit and the period analysis with either technique.
bool CanStandardise(AnalysisKind kind, std::int32_t periodTechnique,
                    StandardiseMethod method = StandardiseMethod::kTraditional);

// What an analysis is busy with, for a progress display.
enum class AnalysisStage { kComputing, kBuildingReport };
using AnalysisProgress = std::function<void(AnalysisStage)>;

// What running an analysis gives: the report (its kind, the record with its
// result tables, the report and export texts) and what its chart window is
// made from; or, when the analysis refused, the reason.
struct AnalysisOutcome {
    Refusal refusal;
    // What a person should be told beside a computed result: why a period
    // analysis has no result row in any group.
    std::optional<std::string> note;
    ResultReport report;
    std::int32_t chartKind = -1;   // ChartKind, -1 for an analysis without a chart
    std::int32_t chartExtra = 0;   // the trend's n, else 0
    // The record of the chart when it draws more than the report's record:
    // the standardised series of an age-standardised life table.
    std::optional<CAnalysisData> chartData;

    bool succeeded() const { return !refusal; }
    const CAnalysisData& ChartData() const { return chartData ? *chartData : report.data(); }
};

// What the summaries asked for in `request` refuse before anything is
// computed: chosen times or a time survived to that are not above 0, or for
// the interval tables not at an interval end; nothing otherwise.
Refusal SummaryRequestRefusal(const AnalysisRequest& request, std::int32_t periodTechnique);

// String 500 when no group holds a valid case, so that nothing can be
// analysed; nothing otherwise.
Refusal NoValidCasesRefusal(const CAnalysisData& data);

// What the trend refuses in its parameters alone, before it looks at a
// case: a time unit other than years, and n or a width below 1; nothing
// otherwise.  Its dialog says it while the choices are still there.
Refusal TrendParameterRefusal(std::int32_t timeUnit, std::int32_t survivalYears, std::int32_t periodWidth);

// Runs one analysis on `data`, a copy of the data set's record with the
// parameters set (and the population table loaded where one is needed):
// computes as requested, then builds the report, stamped with the report
// clock, and the export text, and with compareGroups the comparison section
// and its export.  Touches nothing but its own copy, so
// it may run on any thread while `cases` stays unchanged; `progress` is
// called on that thread.
AnalysisOutcome RunAnalysis(CAnalysisData data, const CaseList& cases, const AnalysisRequest& request,
                            const AnalysisProgress& progress = {});
// The same for a caller that needs the cases no more: they are freed once
// the computations are done, so that the case list and the report texts are
// never held at once.
AnalysisOutcome RunAnalysis(CAnalysisData data, CaseList&& cases, const AnalysisRequest& request,
                            const AnalysisProgress& progress = {});

}  // namespace kalderon
