#include "stats/NetSurvivalCases.h"

#include "stats/BrennerStandardisation.h"
#include "stats/CalendarTable.h"
#include "stats/GroupCounters.h"
#include "stats/PeriodCuts.h"

namespace kalderon {
namespace {

// add(group, case) for every valid case of the first r groups.
template <typename Add>
void ForEachAnalysedCase(const CAnalysisData& data, const CaseList& cases, bool stratified, Add add)
{
    const int groups = AnalysedGroupCount(data, stratified);
    for (size_t k = 0; k < cases.records.size(); ++k) {
        const CCaseRecord& c = cases.records[k];
        const int g = std::max(0, AnalysisGroup(cases, k, stratified));
        if (c.isValid && g < groups && cases.IsSelected(k)) add(g, c);
    }
}

NetSurvivalCase MakeCase(const CAnalysisData& data, const CCaseRecord& c, std::int32_t firstDay, std::int32_t lastDay,
                         bool died)
{
    return {c.beginDate.serial(), c.birthDate.serial(), AnnualSurvivalGrid::SexIndex(c.sexText, data.sexCodeFirst),
            firstDay, lastDay, died};
}

// Room for every analysed case of each group, so that filling them moves nothing.
std::vector<std::vector<NetSurvivalCase>> EmptyGroups(const CAnalysisData& data, const CaseList& cases,
                                                      bool stratified)
{
    std::vector<std::vector<NetSurvivalCase>> groups(AnalysedGroupCount(data, stratified));
    std::vector<size_t> counts(groups.size(), 0);
    ForEachAnalysedCase(data, cases, stratified, [&](int g, const CCaseRecord&) { ++counts[g]; });
    for (size_t g = 0; g < groups.size(); ++g) groups[g].reserve(counts[g]);
    return groups;
}

void StoreCurves(CAnalysisData& data, std::vector<std::vector<NetSurvivalCase>> groups)
{
    for (CGroupResult& g : data.groupResults) {
        g.netCumulativeHazard.clear();
        g.netHazardVariance.clear();
        g.netUnstableFromDay = -1;
        g.brenner.reset();
    }
    const AnnualSurvivalGrid grid(data.populationTables);
    for (size_t g = 0; g < groups.size() && g < data.groupResults.size(); ++g) {
        CGroupResult& result = data.groupResults[g];
        NetSurvivalCurve curve;
        if (data.brennerStandard != kNoStandardisation) {
            auto brenner = std::make_shared<BrennerWalk>();
            curve = NetSurvivalWithBrennerCases(std::move(groups[g]), grid, data.brennerStandard, *brenner);
            result.brenner = std::move(brenner);
        } else {
            curve = ComputeNetSurvivalCurve(groups[g], grid);
        }
        result.netCumulativeHazard = std::move(curve.cumulativeHazard);
        result.netHazardVariance = std::move(curve.variance);
    }
}

}  // namespace

std::vector<std::vector<NetSurvivalCase>> CohortNetSurvivalCases(const CAnalysisData& data, const CaseList& cases,
                                                                 bool stratified)
{
    auto groups = EmptyGroups(data, cases, stratified);
    ForEachAnalysedCase(data, cases, stratified, [&](int g, const CCaseRecord& c) {
        groups[g].push_back(MakeCase(data, c, 0, c.observationDays, c.statusText == data.eventCode));
    });
    return groups;
}

std::vector<std::vector<NetSurvivalCase>> PeriodNetSurvivalCases(const CAnalysisData& data, const CaseList& cases,
                                                                 bool stratified)
{
    auto groups = EmptyGroups(data, cases, stratified);
    ForEachAnalysedCase(data, cases, stratified, [&](int g, const CCaseRecord& c) {
        if (c.endDate.serial() < data.periodBegin.serial() || c.beginDate.serial() > data.periodEnd.serial()) return;
        const PeriodCut cut = CutAtPeriodEnd(c, data);
        // At risk from the first day within the period.
        const std::int32_t firstDay =
            c.beginDate.serial() < data.periodBegin.serial() ? DaysBetween(c.beginDate, data.periodBegin) : 0;
        groups[g].push_back(MakeCase(data, c, firstDay, cut.days, cut.isEvent));
    });
    return groups;
}

CasesByAgeGroup SplitByIcssAgeGroup(const std::vector<NetSurvivalCase>& cases)
{
    CasesByAgeGroup split;
    for (const NetSurvivalCase& c : cases) {
        const int age = CompletedYearsOfAge(LookUpYearAndDay(DateValue::FromSerial(c.birthDay)),
                                            LookUpYearAndDay(DateValue::FromSerial(c.beginDay)));
        const int group = IcssAgeGroup(age);
        if (group < 0)
            ++split.underAge;
        else
            split.groups[group].push_back(c);
    }
    return split;
}

void ComputeNetSurvivalCohort(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    StoreCurves(data, CohortNetSurvivalCases(data, cases, stratified));
}

void ComputeNetSurvivalPeriod(CAnalysisData& data, const CaseList& cases, bool stratified)
{
    StoreCurves(data, PeriodNetSurvivalCases(data, cases, stratified));
}

}  // namespace kalderon
