#include "analysis/AgeStandardisedSurvival.h"

#include <algorithm>
#include <array>
#include <limits>

#include "common/TextFormat.h"
#include "resources/StringTable.h"
#include "stats/BrennerStandardisation.h"
#include "stats/CalendarTable.h"
#include "stats/GroupCounters.h"
#include "stats/LifeTable.h"
#include "stats/NetSurvivalCases.h"
#include "stats/PeriodAnalysis.h"
#include "stats/TimeUnit.h"

namespace kalderon {
namespace {

int AgeGroupOf(const CCaseRecord& c)
{
    return IcssAgeGroup(CompletedYearsOfAge(LookUpYearAndDay(c.birthDate), LookUpYearAndDay(c.beginDate)));
}

// The tables of one age group with Ederer II relative survival, or with
// net survival when `net`; no rows when they cannot be computed.
std::vector<CGroupResult> AgeGroupTables(CAnalysisData data, const CaseList& cases, AnalysisKind kind, bool stratified,
                                         bool net)
{
    data.SetSurvivalMethod(net ? ExpectedSurvivalMethod::kPoharPerme : ExpectedSurvivalMethod::kEdererII);
    const Refusal refusal = kind == kPeriodAnalysis ? ComputePeriodAnalysis(data, cases, stratified)
                                                    : ComputeLifeTable(data, cases, stratified);
    if (refusal)
        for (CGroupResult& group : data.groupResults) group.intervalTable.rows.clear();
    return std::move(data.groupResults);
}

AgeGroupEstimate Estimate(const std::vector<CGroupResult>& groups, size_t g, int i, bool observed)
{
    if (g >= groups.size() || static_cast<size_t>(i) >= groups[g].intervalTable.rows.size()) return {};
    const CIntervalResult& row = groups[g].intervalTable.rows[i];
    // Nor has an age group whose net survival cannot be trusted there.
    if (row.exposedToRisk <= 0.0 || (!observed && !row.hasRelativeSurvival)) return {};
    // A row without a standard error (everyone at risk died) leaves the
    // standardised value without one.
    const double se = row.hasStandardError ? row.standardError : std::numeric_limits<double>::quiet_NaN();
    if (observed) return {true, row.cumulativeSurvival, se * row.expectedSurvival};
    return {true, row.relativeSurvival, se};
}

}  // namespace

std::array<CaseList, kIcssAgeGroups> CasesByIcssAgeGroup(const CaseList& cases)
{
    std::array<CaseList, kIcssAgeGroups> subsets;
    for (CaseList& subset : subsets) {
        subset.groups = cases.groups;
        subset.sourcePath = cases.sourcePath;
    }
    for (size_t k = 0; k < cases.records.size(); ++k) {
        const CCaseRecord& c = cases.records[k];
        const int ageGroup = c.isValid && cases.IsSelected(k) ? AgeGroupOf(c) : -1;
        if (ageGroup < 0) continue;
        CaseList& subset = subsets[ageGroup];
        subset.rowToList.push_back(static_cast<std::int32_t>(subset.records.size()));
        subset.records.push_back(c);
        subset.groupIndex.push_back(cases.groupIndex[k]);
    }
    for (CaseList& subset : subsets) subset.facts = BuildCaseFacts(subset.records, subset.groupIndex);
    return subsets;
}

std::vector<StandardisedGroup> StandardiseSurvivalBrenner(const CAnalysisData& data, const CaseList& cases,
                                                          AnalysisKind kind, bool stratified, std::int32_t standard)
{
    const bool period = kind == kPeriodAnalysis;
    const double unitDays = UnitDays(data.timeUnit);
    const BrennerSettings settings{standard, IntervalCount(data.maxObservationDays, unitDays), unitDays,
                                   kind == kLifeTable || (period && data.periodTechnique == kLifeTableTechnique),
                                   data.netSurvivalRaw != 0};
    const AnnualSurvivalGrid grid(data.populationTables);
    // The cases of the groups whose net survival was not walked with the weights.
    std::vector<std::vector<NetSurvivalCase>> groupCases;
    std::vector<StandardisedGroup> result;
    const size_t groups = std::min(data.groupResults.size(), static_cast<size_t>(AnalysedGroupCount(data, stratified)));
    for (size_t g = 0; g < groups; ++g) {
        const std::shared_ptr<const BrennerWalk>& walk = data.groupResults[g].brenner;
        StandardisedGroup group;
        if (walk && data.brennerStandard == standard) {
            group = BrennerStandardisedGroup(walk->cases, grid, settings, walk->walked ? &*walk->walked : nullptr);
        } else {
            if (groupCases.empty())
                groupCases = period ? PeriodNetSurvivalCases(data, cases, stratified)
                                    : CohortNetSurvivalCases(data, cases, stratified);
            group = BrennerStandardisedGroup(BrennerCasesOf(std::move(groupCases[g]), standard), grid, settings);
        }
        group.code = GroupName(data.groupResults[g].info);
        if (stratified) group.heading = FormatText(LoadString(690), group.code);
        result.push_back(std::move(group));
    }
    return result;
}

std::vector<StandardisedGroup> StandardiseSurvival(const CAnalysisData& data, const CaseList& cases, AnalysisKind kind,
                                                   bool stratified, std::int32_t standard)
{
    std::array<std::vector<CGroupResult>, kIcssAgeGroups> relative;
    std::array<std::vector<CGroupResult>, kIcssAgeGroups> net;
    {
        const std::array<CaseList, kIcssAgeGroups> subsets = CasesByIcssAgeGroup(cases);
        for (int a = 0; a < kIcssAgeGroups; ++a) {
            relative[a] = AgeGroupTables(data, subsets[a], kind, stratified, false);
            net[a] = AgeGroupTables(data, subsets[a], kind, stratified, true);
        }
    }

    const int analysed = std::min(AnalysedGroupCount(data, stratified), static_cast<int>(data.groupResults.size()));
    std::vector<StandardisedGroup> result(std::max(analysed, 0));
    for (size_t k = 0; k < cases.records.size(); ++k) {
        const CCaseRecord& c = cases.records[k];
        const int g = std::max(0, AnalysisGroup(cases, k, stratified));
        if (c.isValid && cases.IsSelected(k) && g < analysed && AgeGroupOf(c) < 0) ++result[g].underAge;
    }
    const IcssWeights& weights = WeightsOfIcss(standard);
    const int intervals = IntervalCount(data.maxObservationDays, UnitDays(data.timeUnit));
    for (size_t g = 0; g < result.size(); ++g) {
        StandardisedGroup& group = result[g];
        group.code = GroupName(data.groupResults[g].info);
        if (stratified) group.heading = FormatText(LoadString(690), group.code);
        for (int i = 0; i < intervals; ++i) {
            std::array<AgeGroupEstimate, kIcssAgeGroups> observed, ederer, netSurvival;
            for (int a = 0; a < kIcssAgeGroups; ++a) {
                observed[a] = Estimate(relative[a], g, i, true);
                ederer[a] = Estimate(relative[a], g, i, false);
                netSurvival[a] = Estimate(net[a], g, i, false);
            }
            group.intervals.push_back({static_cast<std::int32_t>(i + 1), StandardiseOverAgeGroups(observed, weights),
                                       StandardiseOverAgeGroups(ederer, weights),
                                       StandardiseOverAgeGroups(netSurvival, weights)});
        }
    }
    return result;
}

}  // namespace kalderon
